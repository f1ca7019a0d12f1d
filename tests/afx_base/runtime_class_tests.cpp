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
    EXPECT_TRUE(rounded.IsKindOf(RUNTIME_CLASS(CRoundedSquareSample)));
    EXPECT_TRUE(rounded.IsKindOf(RUNTIME_CLASS(CSquareSample)));
    EXPECT_TRUE(rounded.IsKindOf(RUNTIME_CLASS(CShapeSample)));
    EXPECT_TRUE(rounded.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(rounded.IsKindOf(RUNTIME_CLASS(CCircleSample)));

    const CObject& asObject = rounded;
    EXPECT_EQ(asObject.GetRuntimeClass(), RUNTIME_CLASS(CRoundedSquareSample));
    EXPECT_STREQ(asObject.GetRuntimeClass()->m_lpszClassName, "CRoundedSquareSample");
    EXPECT_EQ(RUNTIME_CLASS(CRoundedSquareSample)->m_pBaseClass, RUNTIME_CLASS(CSquareSample));
    EXPECT_EQ(RUNTIME_CLASS(CObject)->m_pBaseClass, nullptr);
    EXPECT_TRUE(RUNTIME_CLASS(CSquareSample)->IsDerivedFrom(RUNTIME_CLASS(CShapeSample)));
    EXPECT_FALSE(RUNTIME_CLASS(CShapeSample)->IsDerivedFrom(RUNTIME_CLASS(CSquareSample)));
}

TEST(RuntimeClass, CreatesObjectsByClassAndByName)
{
    std::unique_ptr<CObject> circle(RUNTIME_CLASS(CCircleSample)->CreateObject());
    ASSERT_NE(circle, nullptr);
    EXPECT_TRUE(circle->IsKindOf(RUNTIME_CLASS(CCircleSample)));
    EXPECT_EQ(STATIC_DOWNCAST(CCircleSample, circle.get())->m_corners, -1);

    std::unique_ptr<CObject> square(CRuntimeClass::CreateObject("CSquareSample"));
    ASSERT_NE(square, nullptr);
    EXPECT_EQ(square->GetRuntimeClass(), RUNTIME_CLASS(CSquareSample));
    EXPECT_EQ(DYNAMIC_DOWNCAST(CShapeSample, square.get())->m_corners, 4);
    EXPECT_EQ(DYNAMIC_DOWNCAST(CCircleSample, square.get()), nullptr);

    std::unique_ptr<CObject> rounded(CRuntimeClass::CreateObject(L"CRoundedSquareSample"));
    ASSERT_NE(rounded, nullptr);
    EXPECT_TRUE(rounded->IsKindOf(RUNTIME_CLASS(CSquareSample)));

    // Dynamic-only classes and CObject itself cannot be created.
    EXPECT_EQ(RUNTIME_CLASS(CShapeSample)->CreateObject(), nullptr);
    EXPECT_EQ(CRuntimeClass::CreateObject("CShapeSample"), nullptr);
    EXPECT_EQ(CRuntimeClass::CreateObject("CObject"), nullptr);
}

TEST(RuntimeClass, LooksClassesUpByExactName)
{
    EXPECT_EQ(CRuntimeClass::FromName("CCircleSample"), RUNTIME_CLASS(CCircleSample));
    EXPECT_EQ(CRuntimeClass::FromName(L"CCircleSample"), RUNTIME_CLASS(CCircleSample));
    EXPECT_EQ(CRuntimeClass::FromName("CObject"), RUNTIME_CLASS(CObject));
    EXPECT_EQ(CRuntimeClass::FromName("CCircle"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName("CCircleSampleX"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName("ccirclesample"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName(L"CCircleSampl\u00E9"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName(""), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName(static_cast<LPCSTR>(nullptr)), nullptr);
    EXPECT_EQ(CRuntimeClass::CreateObject("NoSuchClass"), nullptr);
}

TEST(RuntimeClass, SchemaDecidesSerializability)
{
    CSquareSample square;
    CCircleSample circle;
    EXPECT_TRUE(square.IsSerializable());
    EXPECT_FALSE(circle.IsSerializable());
    EXPECT_EQ(RUNTIME_CLASS(CSquareSample)->m_wSchema, VERSIONABLE_SCHEMA | 2);
}

} // namespace
