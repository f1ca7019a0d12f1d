// Checks that a call throws the layer's exception of a given class (thrown by
// pointer) and disposes of it.
#pragma once

#include <afx.h>

template <class ExceptionClass, class Call>
bool ThrowsLayerException(Call&& call, const CRuntimeClass* expected)
{
    try {
        call();
    } catch (CException* e) {
        const bool matches = e->IsKindOf(expected) != FALSE;
        e->Delete();
        return matches;
    }
    return false;
}

#define EXPECT_LAYER_THROW(statement, exception_class)                                            \
    EXPECT_TRUE(ThrowsLayerException<exception_class>([&] { statement; }, RUNTIME_CLASS(exception_class))) \
        << #statement " should throw " #exception_class
