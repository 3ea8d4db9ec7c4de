// Tests of the MFC-compatible framework: CString, runtime classes, the application profile in
// both stores, module states of a regular DLL, the resource chain and objects crossing modules.
#include <afxdllx.h>

#include "MfcProbe.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

namespace {

class CTestApp : public CWinApp {
public:
    CTestApp() : CWinApp(L"MfcTest") {}
};

CTestApp theApp;

// The application's start, as a console MFC program makes it.
class AppEnvironment : public testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(AfxWinInit(GetModuleHandleW(nullptr), nullptr, GetCommandLineW(), 0)); }
};
const auto* const g_env = testing::AddGlobalTestEnvironment(new AppEnvironment);

void ReplaceAppString(LPCWSTR& member, LPCWSTR value)
{
    free(const_cast<LPWSTR>(member));
    member = value ? _wcsdup(value) : nullptr;
}

std::string Narrow(LPCWSTR text)
{
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n - 1 : 0, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
    return out;
}

std::filesystem::path TempDir()
{
    WCHAR buffer[MAX_PATH];
    GetTempPathW(MAX_PATH, buffer);
    return std::filesystem::path(buffer);
}

}  // namespace

// --- CString ----------------------------------------------------------------------------------

TEST(MfcString, FormatFollowsTheMicrosoftRuntime)
{
    struct Row {
        const wchar_t* expected;
        CString actual;
    };
    auto format = [](LPCWSTR fmt, auto... args) {
        CString s;
        s.Format(fmt, args...);
        return s;
    };
    const Row rows[] = {
        {L"wide", format(L"%s", L"wide")},
        {L"narrow", format(L"%S", "narrow")},
        {L"narrow", format(L"%hs", "narrow")},
        {L"wide", format(L"%ls", L"wide")},
        {L"-1", format(L"%d", -1)},
        {L"4294967295", format(L"%u", 0xFFFFFFFFu)},
        {L"1234567890123", format(L"%I64d", 1234567890123LL)},
        {L"1234567890123", format(L"%lld", 1234567890123LL)},
        {L"z", format(L"%c", L'z')},
        {L" 3.14", format(L"%5.2f", 3.14159)},
        {L"00ff", format(L"%04x", 255)},
        {L"\"PNOA\",http://x", format(L"\"%s\",%s", L"PNOA", L"http://x")},
        {L"URL12", format(L"URL%d", 12)},
        {L"ñandú 100%", format(L"%s %d%%", L"ñandú", 100)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "expected " << Narrow(row.expected));
        EXPECT_STREQ(row.expected, row.actual);
    }
}

TEST(MfcString, FormatProducesLongResults)
{
    const std::wstring long_text(5000, L'x');
    CString s;
    s.Format(L"[%s]", long_text.c_str());
    EXPECT_EQ(5002, s.GetLength());
    EXPECT_EQ(L']', s[5001]);
}

TEST(MfcString, CompareIsOrdinalOnCodeUnits)
{
    struct Row {
        const wchar_t* a;
        const wchar_t* b;
        int sign;
    };
    const Row rows[] = {
        {L"B", L"a", -1},         // every upper-case ASCII letter before every lower-case one
        {L"", L"a", -1},          // the empty string first
        {L"a", L"a", 0},
        {L"a", L"A", 1},
        {L"abc", L"ab", 1},
        {L"z", L"\u00e9", -1},    // é (U+00E9) above z: no locale collation
        {L"1000", L"999", -1},    // digits by code, not by number
        {L"\uFFFF", L"\U00010000", 1},  // code units, not code points: U+FFFF above a surrogate pair
        {L"EPSG:4326", L"epsg:4326", -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << Narrow(row.a) << " vs " << Narrow(row.b));
        const int result = CString(row.a).Compare(row.b);
        EXPECT_EQ(row.sign, (result > 0) - (result < 0));
        EXPECT_EQ(row.sign < 0, CString(row.a) < CString(row.b));
        EXPECT_EQ(row.sign == 0, CString(row.a) == row.b);
    }
}

TEST(MfcString, BufferAccessKeepsWhatWasWritten)
{
    CString s(L"abc");
    LPWSTR buffer = s.GetBuffer(10);
    wcscpy(buffer, L"0123456789");
    s.ReleaseBuffer();
    EXPECT_STREQ(L"0123456789", s);

    buffer = s.GetBuffer();
    buffer[4] = L'\0';
    s.ReleaseBuffer();
    EXPECT_EQ(4, s.GetLength());

    s.GetBufferSetLength(2);
    s.ReleaseBuffer(2);
    EXPECT_STREQ(L"01", s);
}

TEST(MfcString, EditingOperations)
{
    struct Row {
        const wchar_t* expected;
        CString actual;
    };
    CString trimmed(L" \t a b \r\n");
    CString replaced(L"a-b-c");
    replaced.Replace(L"-", L"--");
    CString appended(L"x");
    appended += L'y';
    appended += CString(L"z");
    const Row rows[] = {
        {L"a b", trimmed.Trim()},
        {L"a--b--c", replaced},
        {L"xyz", appended},
        {L"bc", CString(L"abc").Mid(1)},
        {L"", CString(L"abc").Mid(5)},
        {L"ab", CString(L"abc").Left(2)},
        {L"abc", CString(L"abc").Left(99)},
        {L"bc", CString(L"abc").Right(2)},
        {L"p1q", L"p" + CString(L"1") + L"q"},
        {L"plain", CString("plain")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "expected " << Narrow(row.expected));
        EXPECT_STREQ(row.expected, row.actual);
    }
    EXPECT_EQ(2, CString(L"a,b,c").Find(L'b'));
    EXPECT_EQ(-1, CString(L"a,b,c").Find(L"x"));
    EXPECT_EQ(3, CString(L"a,b,c").ReverseFind(L','));
}

// --- Runtime classes ----------------------------------------------------------------------------

namespace {

class CBase : public CObject {
    DECLARE_DYNAMIC(CBase)
};
IMPLEMENT_DYNAMIC(CBase, CObject)

class CDerived : public CBase {
    DECLARE_DYNAMIC(CDerived)
};
IMPLEMENT_DYNAMIC(CDerived, CBase)

}  // namespace

TEST(MfcRuntimeClass, KindFollowsTheBaseChain)
{
    CDerived derived;
    CBase base;
    const CObject& asObject = derived;
    EXPECT_STREQ("CDerived", asObject.GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(RUNTIME_CLASS(CDerived), asObject.GetRuntimeClass());

    struct Row {
        const CObject& object;
        CRuntimeClass* cls;
        bool kind;
    };
    const Row rows[] = {
        {derived, RUNTIME_CLASS(CDerived), true},
        {derived, RUNTIME_CLASS(CBase), true},
        {derived, RUNTIME_CLASS(CObject), true},
        {base, RUNTIME_CLASS(CDerived), false},
        {base, RUNTIME_CLASS(CWinApp), false},
        {theApp, RUNTIME_CLASS(CWinThread), true},  // the chain crosses into mfc.dll
        {theApp, RUNTIME_CLASS(CCmdTarget), true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.object.GetRuntimeClass()->m_lpszClassName << " of "
                                        << row.cls->m_lpszClassName);
        EXPECT_EQ(row.kind, row.object.IsKindOf(row.cls) != FALSE);
    }
}

// --- Application profile: registry and INI file ---------------------------------------------------

namespace {

enum class Store { Registry, IniFile };

// Per process: ctest runs the two stores' cases side by side.
const std::wstring kRegistryKey = L"OrtusMfcTest-" + std::to_wstring(GetCurrentProcessId());

class MfcProfile : public testing::TestWithParam<Store> {
protected:
    void SetUp() override
    {
        ASSERT_EQ(&theApp, AfxGetApp());
        m_iniPath = TempDir() / (L"mfc_profile_test-" + std::to_wstring(GetCurrentProcessId()) + L".ini");
        std::filesystem::remove(m_iniPath);
        if (GetParam() == Store::Registry) {
            theApp.SetRegistryKey(kRegistryKey.c_str());
        } else {
            ReplaceAppString(theApp.m_pszRegistryKey, nullptr);
            ReplaceAppString(theApp.m_pszProfileName, m_iniPath.c_str());
        }
    }

    void TearDown() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\" + kRegistryKey).c_str());
        std::filesystem::remove(m_iniPath);
        ReplaceAppString(theApp.m_pszRegistryKey, nullptr);
    }

    std::filesystem::path m_iniPath;
};

}  // namespace

TEST_P(MfcProfile, StringsComeBackAndDefaultsOnlyForAbsentEntries)
{
    EXPECT_STREQ(L"fallback", theApp.GetProfileStringW(L"S", L"absent", L"fallback"));
    EXPECT_STREQ(L"", theApp.GetProfileStringW(L"S", L"absent"));

    struct Row {
        const wchar_t* entry;
        const wchar_t* value;
    };
    const std::wstring longValue(5000, L'v');
    const Row rows[] = {
        {L"plain", L"value"},
        {L"empty", L""},  // stored empty comes back empty, not as the default
        {L"accents", L"Cartograf\u00eda \u00d1and\u00fa"},
        {L"spaces", L"a value with spaces"},
        {L"long", longValue.c_str()},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(Narrow(row.entry));
        ASSERT_TRUE(theApp.WriteProfileStringW(L"S", row.entry, row.value));
        EXPECT_STREQ(row.value, theApp.GetProfileStringW(L"S", row.entry, L"fallback"));
    }
}

TEST_P(MfcProfile, IntegersRoundTripBitForBit)
{
    EXPECT_EQ(7u, theApp.GetProfileIntW(L"S", L"absent", 7));
    for (const int value : {0, 1, -1, 2147483647, -2147483647 - 1}) {
        SCOPED_TRACE(value);
        ASSERT_TRUE(theApp.WriteProfileInt(L"S", L"n", value));
        EXPECT_EQ(static_cast<UINT>(value), theApp.GetProfileIntW(L"S", L"n", 7));
    }
}

TEST_P(MfcProfile, NullEntryDeletesTheWholeSectionOnly)
{
    ASSERT_TRUE(theApp.WriteProfileStringW(L"Gone", L"a", L"1"));
    ASSERT_TRUE(theApp.WriteProfileInt(L"Gone", L"b", 2));
    ASSERT_TRUE(theApp.WriteProfileStringW(L"Kept", L"a", L"kept"));

    theApp.WriteProfileStringW(L"Gone", nullptr, nullptr);

    EXPECT_STREQ(L"none", theApp.GetProfileStringW(L"Gone", L"a", L"none"));
    EXPECT_EQ(9u, theApp.GetProfileIntW(L"Gone", L"b", 9));
    EXPECT_STREQ(L"kept", theApp.GetProfileStringW(L"Kept", L"a", L"none"));
}

TEST_P(MfcProfile, NullValueDeletesOneEntry)
{
    ASSERT_TRUE(theApp.WriteProfileStringW(L"S", L"a", L"1"));
    ASSERT_TRUE(theApp.WriteProfileStringW(L"S", L"b", L"2"));
    theApp.WriteProfileStringW(L"S", L"a", nullptr);
    EXPECT_STREQ(L"none", theApp.GetProfileStringW(L"S", L"a", L"none"));
    EXPECT_STREQ(L"2", theApp.GetProfileStringW(L"S", L"b", L"none"));
}

TEST_P(MfcProfile, LandsWhereTheModeSays)
{
    ASSERT_TRUE(theApp.WriteProfileStringW(L"Where", L"k", L"v"));
    const std::wstring keyPath = L"Software\\" + kRegistryKey + L"\\MfcTest\\Where";
    WCHAR value[16] = {};
    DWORD size = sizeof value;
    const bool inRegistry =
        RegGetValueW(HKEY_CURRENT_USER, keyPath.c_str(), L"k", RRF_RT_REG_SZ, nullptr, value, &size) == ERROR_SUCCESS;
    WCHAR iniValue[16] = {};
    const bool inFile = GetPrivateProfileStringW(L"Where", L"k", L"", iniValue, 16, m_iniPath.c_str()) > 0;
    EXPECT_EQ(GetParam() == Store::Registry, inRegistry);
    EXPECT_EQ(GetParam() == Store::IniFile, inFile);
}

INSTANTIATE_TEST_SUITE_P(BothStores, MfcProfile, testing::Values(Store::Registry, Store::IniFile),
                         [](const auto& info) { return info.param == Store::Registry ? "Registry" : "IniFile"; });

TEST(MfcApp, NamesComeFromTheModule)
{
    EXPECT_STREQ(L"MfcTest", theApp.m_pszAppName);
    EXPECT_STREQ(L"mfc_test", theApp.m_pszExeName);
    EXPECT_STREQ(L"MfcTest", AfxGetAppName());
    EXPECT_EQ(GetModuleHandleW(nullptr), AfxGetInstanceHandle());
    theApp.SetRegistryKey(L"Key");
    EXPECT_STREQ(L"MfcTest", theApp.m_pszProfileName);  // the profile is named after the application
    ReplaceAppString(theApp.m_pszRegistryKey, nullptr);
}

// --- Module states of a regular DLL -----------------------------------------------------------------

TEST(MfcModuleState, RegularDllKeepsItsOwnApplicationObject)
{
    CWinApp* dllApp = ProbeOwnApp();
    ASSERT_NE(nullptr, dllApp);
    EXPECT_NE(&theApp, dllApp);
    EXPECT_STREQ("CWinApp", dllApp->GetRuntimeClass()->m_lpszClassName);
    EXPECT_STREQ(L"mfc_probe", dllApp->m_pszExeName);  // AfxWinInit ran with the DLL's instance
}

TEST(MfcModuleState, DllCodeWithoutSwitchingRunsInTheCallersState)
{
    EXPECT_EQ(&theApp, ProbeCallerApp());
    EXPECT_EQ(&theApp, AfxGetApp());  // loading the DLL restored our state
}

TEST(MfcModuleState, ManageStateSwitchesForAScope)
{
    AFX_MODULE_STATE own(TRUE);
    {
        AFX_MANAGE_STATE(&own);
        EXPECT_EQ(&own, AfxGetModuleState());
        EXPECT_EQ(nullptr, AfxGetApp());
    }
    EXPECT_EQ(AfxGetAppModuleState(), AfxGetModuleState());
    EXPECT_EQ(&theApp, AfxGetApp());
}

TEST(MfcModuleState, EachThreadStartsInTheApplicationsState)
{
    AFX_MODULE_STATE own(TRUE);
    AFX_MANAGE_STATE(&own);
    AFX_MODULE_STATE* seenByThread = nullptr;
    std::thread([&] { seenByThread = AfxGetModuleState(); }).join();
    EXPECT_EQ(AfxGetAppModuleState(), seenByThread);
}

TEST(MfcModuleState, FailedInitInstanceRefusesTheLoad)
{
    // A second copy, so its entry runs again with the failure asked for.
    const std::filesystem::path copy = TempDir() / (L"mfc_probe_fail-" + std::to_wstring(GetCurrentProcessId()) + L".dll");
    ASSERT_TRUE(CopyFileW(L"mfc_probe.dll", copy.c_str(), FALSE)) << GetLastError();
    SetEnvironmentVariableW(L"MFC_PROBE_FAIL_INIT", L"1");
    HMODULE module = LoadLibraryW(copy.c_str());
    const DWORD error = GetLastError();
    SetEnvironmentVariableW(L"MFC_PROBE_FAIL_INIT", nullptr);
    if (module)
        FreeLibrary(module);
    EXPECT_EQ(nullptr, module);
    EXPECT_EQ(static_cast<DWORD>(ERROR_DLL_INIT_FAILED), error);
    EXPECT_EQ(&theApp, AfxGetApp());
    std::filesystem::remove(copy);
}

// --- Resource chain ----------------------------------------------------------------------------------

TEST(MfcResources, DllResourcesServeOnlyTheDllsOwnState)
{
    EXPECT_STREQ(L"probe's own string", ProbeOwnString(IDS_PROBE_TEXT));
    // The DLL joined its own state's chain, not ours.
    EXPECT_STREQ(L"<missing>", ProbeCallerString(IDS_PROBE_TEXT));
    CString text;
    EXPECT_FALSE(text.LoadString(IDS_PROBE_TEXT));
}

TEST(MfcResources, HostMakesAResourceModuleReachable)
{
    HMODULE resources = LoadLibraryExW(L"mfc_probe_res.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(nullptr, resources) << GetLastError();
    AFX_EXTENSION_MODULE module = {};
    ASSERT_TRUE(AfxInitExtensionModule(module, resources));

    CString text;
    EXPECT_FALSE(text.LoadString(200));
    {
        CDynLinkLibrary link(module);
        ASSERT_TRUE(text.LoadString(200));
        EXPECT_STREQ(L"string from the resource module", text);
        ASSERT_TRUE(text.LoadString(201));
        EXPECT_STREQ(L"Texto con acentos: \u00e1rea, se\u00f1al", text);
        EXPECT_FALSE(text.LoadString(202));  // same 16-string block, no entry
        EXPECT_EQ(resources, AfxFindStringResourceHandle(200));
        // Code running without switching state (the DLL's) finds it through our chain too.
        EXPECT_STREQ(L"string from the resource module", ProbeCallerString(200));
    }
    EXPECT_FALSE(text.LoadString(200));  // leaving the chain on destruction
    EXPECT_EQ(AfxGetResourceHandle(), AfxFindResourceHandle(MAKEINTRESOURCEW(1), RT_GROUP_ICON));
    FreeLibrary(resources);
}

TEST(MfcResources, FormatLoadsItsFormatFromTheChain)
{
    HMODULE resources = LoadLibraryExW(L"mfc_probe_res.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(nullptr, resources);
    AFX_EXTENSION_MODULE module = {};
    AfxInitExtensionModule(module, resources);
    CDynLinkLibrary link(module);
    CString text;
    text.Format(201u);
    EXPECT_STREQ(L"Texto con acentos: \u00e1rea, se\u00f1al", text);
}

// --- Objects crossing module boundaries --------------------------------------------------------------

TEST(MfcCrossModule, ExceptionThrownInADllIsCaughtHere)
{
    try {
        ProbeThrow(42);
        FAIL() << "nothing thrown";
    } catch (const ProbeError& e) {
        EXPECT_EQ(42, e.m_code);
        EXPECT_STREQ("thrown in the probe DLL", e.what());
    }
    // Caught through its standard base, whose type record lives in the shared C++ runtime.
    EXPECT_THROW(ProbeThrow(1), std::runtime_error);
}

TEST(MfcCrossModule, ContainersMadeInADllAreUsedAndFreedHere)
{
    std::vector<CString> strings = ProbeMakeStrings(100);
    ASSERT_EQ(100u, strings.size());
    EXPECT_STREQ(L"string 99 made in the probe with enough text to need the heap", strings.back());
    strings.erase(strings.begin(), strings.begin() + 50);  // frees DLL-made strings in this module
    strings.push_back(CString(L"made here"));
    strings.shrink_to_fit();
    EXPECT_EQ(51u, strings.size());
    EXPECT_STREQ(L"made here", strings.back());
}
