// Tests of the MFC-compatible framework: CString.
#include <afxwin.h>

#include <gtest/gtest.h>

TEST(MfcString, FormatUsesMicrosoftConversions)
{
    struct Row {
        const wchar_t* expected;
        CString actual;
    };
    CString s;
    s.Format(L"%s|%d|%S|%c|%5.2f|%I64d|%x", L"wide", -1, "narrow", L'z', 3.14159, 1234567890123LL, 255);
    EXPECT_STREQ(L"wide|-1|narrow|z| 3.14|1234567890123|ff", s);
}
