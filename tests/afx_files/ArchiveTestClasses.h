// Serialisable classes the archive tests store and load.
#pragma once

#include <afx.h>

#include <vector>

class CShape : public CObject {
    DECLARE_SERIAL(CShape)
public:
    CShape() = default;
    CShape(int id, LPCTSTR name) : m_id(id), m_name(name) {}
    void Serialize(CArchive& ar) override;

    int m_id = 0;
    CString m_name;
};

class CCircle : public CShape {
    DECLARE_SERIAL(CCircle)
public:
    CCircle() = default;
    CCircle(int id, LPCTSTR name, int radius) : CShape(id, name), m_radius(radius) {}
    void Serialize(CArchive& ar) override;

    int m_radius = 0;
};

// Not a shape: reading it where a shape is asked for must fail.
class CStranger : public CObject {
    DECLARE_SERIAL(CStranger)
public:
    void Serialize(CArchive& ar) override;
    int m_value = 0;
};

// Holds pointers it does not own; the same shape may be listed twice, and a
// group may list itself.
class CGroup : public CObject {
    DECLARE_SERIAL(CGroup)
public:
    void Serialize(CArchive& ar) override;
    std::vector<CObject*> m_members;
};

// Owns a chain of children; counts live instances so that tests see leaks.
class CChain : public CObject {
    DECLARE_SERIAL(CChain)
public:
    CChain() { ++s_live; }
    ~CChain() override
    {
        delete m_child;
        --s_live;
    }
    void Serialize(CArchive& ar) override;

    CChain* m_child = nullptr;
    static int s_live;
};

// Accepts older schemas and remembers the one it was loaded with.
class CVersioned : public CObject {
    DECLARE_SERIAL(CVersioned)
public:
    void Serialize(CArchive& ar) override;
    UINT m_loadedSchema = 0;
    int m_value = 0;
};
