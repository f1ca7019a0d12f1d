#include "ArchiveTestClasses.h"

IMPLEMENT_SERIAL(CShape, CObject, 1)
IMPLEMENT_SERIAL(CCircle, CShape, 1)
IMPLEMENT_SERIAL(CStranger, CObject, 1)
IMPLEMENT_SERIAL(CGroup, CObject, 1)
IMPLEMENT_SERIAL(CChain, CObject, 1)
IMPLEMENT_SERIAL(CVersioned, CObject, VERSIONABLE_SCHEMA | 3)

int CChain::s_live = 0;

void CShape::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_id << m_name;
    else
        ar >> m_id >> m_name;
}

void CCircle::Serialize(CArchive& ar)
{
    CShape::Serialize(ar);
    if (ar.IsStoring())
        ar << m_radius;
    else
        ar >> m_radius;
}

void CStranger::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_value;
    else
        ar >> m_value;
}

void CGroup::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(m_members.size());
        for (CObject* member : m_members)
            ar << member;
    } else {
        const DWORD_PTR count = ar.ReadCount();
        for (DWORD_PTR i = 0; i < count; ++i) {
            CObject* member = nullptr;
            ar >> member;
            m_members.push_back(member);
        }
    }
}

void CChain::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_child;
    else
        ar >> m_child;
}

void CVersioned::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_value;
    } else {
        m_loadedSchema = ar.GetObjectSchema();
        ar >> m_value;
    }
}
