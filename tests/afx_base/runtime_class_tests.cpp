// Run-time classes: kind-of chains, creation by class and by name, schemas.
#include <afx.h>

#include <gtest/gtest.h>

#include <memory>

namespace {

class CShapeSample : public CObject {
    DECLARE_DYNAMIC(CShapeSample)
public:
    int m_corners = 0;
};

class CCircleSample : public CShapeSample {
    DECLARE_DYNCREATE(CCircleSample)
public:
    CCircleSample() { m_corners = -1; }
};

class CSquareSample : public CShapeSample {
    DECLARE_SERIAL(CSquareSample)
public:
    CSquareSample() { m_corners = 4; }
};

class CRoundedSquareSample : public CSquareSample {
    DECLARE_DYNCREATE(CRoundedSquareSample)
};

IMPLEMENT_DYNAMIC(CShapeSample, CObject)
IMPLEMENT_DYNCREATE(CCircleSample, CShapeSample)
IMPLEMENT_SERIAL(CSquareSample, CShapeSample, VERSIONABLE_SCHEMA | 2)
IMPLEMENT_DYNCREATE(CRoundedSquareSample, CSquareSample)

TEST(RuntimeClass, KindOfFollowsTheWholeBaseChain)
{
    CRoundedSquareSample rounded;
    EXPECT_TRUE(rounded.IsKindOf(RUNTIME_CLASS(CShapeSample)));
    EXPECT_TRUE(rounded.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(rounded.IsKindOf(RUNTIME_CLASS(CCircleSample)));
    // Serialisable by the class's own schema, not by a base's.
    EXPECT_TRUE(CSquareSample().IsSerializable());
    EXPECT_FALSE(rounded.IsSerializable());
}

TEST(RuntimeClass, CreatesObjectsByClassAndByExactName)
{
    std::unique_ptr<CObject> circle(RUNTIME_CLASS(CCircleSample)->CreateObject());
    ASSERT_NE(circle, nullptr);
    EXPECT_EQ(STATIC_DOWNCAST(CCircleSample, circle.get())->m_corners, -1);

    std::unique_ptr<CObject> square(CRuntimeClass::CreateObject("CSquareSample"));
    ASSERT_NE(square, nullptr);
    EXPECT_EQ(DYNAMIC_DOWNCAST(CShapeSample, square.get())->m_corners, 4);
    EXPECT_EQ(DYNAMIC_DOWNCAST(CCircleSample, square.get()), nullptr);

    // Dynamic-only classes and CObject itself cannot be created.
    EXPECT_EQ(RUNTIME_CLASS(CShapeSample)->CreateObject(), nullptr);
    EXPECT_EQ(CRuntimeClass::CreateObject("CObject"), nullptr);

    EXPECT_EQ(CRuntimeClass::FromName(L"CCircleSample"), RUNTIME_CLASS(CCircleSample));
    for (const char* name : {"CCircle", "CCircleSampleX", "ccirclesample", "", "NoSuchClass"})
        EXPECT_EQ(CRuntimeClass::FromName(name), nullptr) << name;
    EXPECT_EQ(CRuntimeClass::FromName(L"CCircleSampl\u00E9"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName(static_cast<LPCSTR>(nullptr)), nullptr);
}

} // namespace
