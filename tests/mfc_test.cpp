// Tests of the MFC-compatible layer: CString, runtime classes, profile, module states, resources, crossing modules.
#include <afxdllx.h>

#include "MfcProbe.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

namespace {

CWinApp theApp(L"MfcTest");

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

// Per process: ctest runs the test cases side by side.
std::wstring PerProcess(LPCWSTR name) { return name + std::to_wstring(GetCurrentProcessId()); }

class CBase : public CObject {
    DECLARE_DYNAMIC(CBase)
};
IMPLEMENT_DYNAMIC(CBase, CObject)

class CDerived : public CBase {
    DECLARE_DYNAMIC(CDerived)
};
IMPLEMENT_DYNAMIC(CDerived, CBase)

enum class Store { Registry, IniFile };

class MfcProfile : public testing::TestWithParam<Store> {
protected:
    void SetUp() override
    {
        std::filesystem::remove(m_iniPath);
        if (GetParam() == Store::Registry) {
            theApp.SetRegistryKey(m_registryKey.c_str());
        } else {
            ReplaceAppString(theApp.m_pszRegistryKey, nullptr);
            ReplaceAppString(theApp.m_pszProfileName, m_iniPath.c_str());
        }
    }
    void TearDown() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\" + m_registryKey).c_str());
        std::filesystem::remove(m_iniPath);
        ReplaceAppString(theApp.m_pszRegistryKey, nullptr);
    }

    const std::wstring m_registryKey = PerProcess(L"OrtusMfcTest-");
    const std::filesystem::path m_iniPath =
        std::filesystem::temp_directory_path() / (PerProcess(L"mfc_profile_test-") + L".ini");
};

// The manifest the active activation context was made from; empty for the process default.
std::wstring ActiveManifest()
{
    HANDLE context = nullptr;
    if (!GetCurrentActCtx(&context) || context == nullptr)
        return L"";
    SIZE_T size = 0;
    QueryActCtxW(0, context, nullptr, ActivationContextDetailedInformation, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    std::wstring path;
    if (size > 0 && QueryActCtxW(0, context, nullptr, ActivationContextDetailedInformation, buffer.data(), size, &size)) {
        const auto* information = reinterpret_cast<const ACTIVATION_CONTEXT_DETAILED_INFORMATION*>(buffer.data());
        path = information->lpRootManifestPath != nullptr ? information->lpRootManifestPath : L"";
    }
    ReleaseActCtx(context);
    return path;
}

bool EndsWith(const std::wstring& text, const std::wstring& end)
{
    return text.size() >= end.size() && _wcsicmp(text.c_str() + text.size() - end.size(), end.c_str()) == 0;
}

}  // namespace

TEST(MfcString, FormatFollowsTheMicrosoftRuntime)
{
    auto format = [](LPCWSTR fmt, auto... args) {
        CString s;
        s.Format(fmt, args...);
        return s;
    };
    const CString longText(L'x', 5000);
    const std::pair<CString, CString> rows[] = {  // expected, actual
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
        {L"ñandú 100%", format(L"%s %d%%", L"ñandú", 100)},
        {L"[" + longText + L"]", format(L"[%s]", longText.GetString())},
    };
    for (const auto& [expected, actual] : rows) {
        SCOPED_TRACE(testing::Message() << "expected " << expected.Left(20).GetString());
        EXPECT_STREQ(expected, actual);
    }
}

TEST(MfcString, CompareIsOrdinalOnCodeUnits)
{
    static const std::tuple<const wchar_t*, const wchar_t*, int> rows[] = {
        {L"B", L"a", -1},               // every upper-case ASCII letter before every lower-case one
        {L"", L"a", -1},                // the empty string first
        {L"a", L"a", 0},
        {L"a", L"A", 1},
        {L"abc", L"ab", 1},
        {L"z", L"\u00e9", -1},          // é (U+00E9) above z: no locale collation
        {L"1000", L"999", -1},          // digits by code, not by number
        {L"\uFFFF", L"\U00010000", 1},  // code units, not code points: U+FFFF above a surrogate pair
        {L"EPSG:4326", L"epsg:4326", -1},
    };
    for (const auto& [a, b, sign] : rows) {
        SCOPED_TRACE(testing::Message() << a << " vs " << b);
        const int result = CString(a).Compare(b);
        EXPECT_EQ(sign, (result > 0) - (result < 0));
        EXPECT_EQ(sign < 0, CString(a) < CString(b));
        EXPECT_EQ(sign == 0, CString(a) == b);
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
    CString trimmed(L" \t a b \r\n");
    CString replaced(L"a-b-c");
    replaced.Replace(L"-", L"--");
    CString appended(L"x");
    appended += L'y';
    appended += CString(L"z");
    const std::pair<const wchar_t*, CString> rows[] = {  // expected, actual
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
    for (const auto& [expected, actual] : rows) {
        SCOPED_TRACE(testing::Message() << "expected " << expected);
        EXPECT_STREQ(expected, actual);
    }
    EXPECT_EQ(2, CString(L"a,b,c").Find(L'b'));
    EXPECT_EQ(-1, CString(L"a,b,c").Find(L"x"));
    EXPECT_EQ(3, CString(L"a,b,c").ReverseFind(L','));
}

TEST(MfcString, CopiesShareUntilOneIsChanged)
{
    CString original(L"EPSG:4326 shared text");
    CString copy = original;
    EXPECT_EQ(original.GetString(), copy.GetString());  // one buffer, no allocation

    struct Row {
        const char* change;
        void (*apply)(CString&);
        const wchar_t* expected;
    };
    const Row rows[] = {
        {"+=", [](CString& s) { s += L"!"; }, L"EPSG:4326 shared text!"},
        {"SetAt", [](CString& s) { s.SetAt(0, L'e'); }, L"ePSG:4326 shared text"},
        {"GetBuffer", [](CString& s) { s.GetBuffer()[1] = L'p'; s.ReleaseBuffer(); }, L"EpSG:4326 shared text"},
        {"MakeLower", [](CString& s) { s.MakeLower(); }, L"epsg:4326 shared text"},
        {"Replace", [](CString& s) { s.Replace(L':', L'-'); }, L"EPSG-4326 shared text"},
        {"Remove", [](CString& s) { s.Remove(L' '); }, L"EPSG:4326sharedtext"},
        {"Trim", [](CString& s) { s.Trim(L"Et"); }, L"PSG:4326 shared tex"},
        {"Format", [](CString& s) { s.Format(L"%d", 7); }, L"7"},
        {"Empty", [](CString& s) { s.Empty(); }, L""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.change);
        CString changed = original;
        row.apply(changed);
        EXPECT_STREQ(row.expected, changed);
        EXPECT_STREQ(L"EPSG:4326 shared text", original);
        EXPECT_STREQ(L"EPSG:4326 shared text", copy);
    }
}

TEST(MfcString, PartsOfItselfCanBeAppendedAndAssigned)
{
    CString s(L"abc");
    s += s;
    EXPECT_STREQ(L"abcabc", s);
    s.Append(s.GetString() + 4, 2);
    EXPECT_STREQ(L"abcabcbc", s);
    s = s.GetString() + 5;
    EXPECT_STREQ(L"cbc", s);
    CString grown;
    for (int i = 0; i < 1000; ++i)
        grown += grown.IsEmpty() ? L"x" : grown.Right(1).GetString();
    EXPECT_EQ(1000, grown.GetLength());
}

TEST(MfcRuntimeClass, KindFollowsTheBaseChain)
{
    CDerived derived;
    CBase base;
    const CObject& asObject = derived;
    EXPECT_STREQ("CDerived", asObject.GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(RUNTIME_CLASS(CDerived), asObject.GetRuntimeClass());

    const std::tuple<const CObject&, CRuntimeClass*, bool> rows[] = {
        {derived, RUNTIME_CLASS(CDerived), true},
        {derived, RUNTIME_CLASS(CBase), true},
        {derived, RUNTIME_CLASS(CObject), true},
        {base, RUNTIME_CLASS(CDerived), false},
        {base, RUNTIME_CLASS(CWinApp), false},
        {theApp, RUNTIME_CLASS(CWinThread), true},  // the chain crosses into mfc.dll
        {theApp, RUNTIME_CLASS(CCmdTarget), true},
    };
    for (const auto& [object, cls, kind] : rows) {
        SCOPED_TRACE(testing::Message() << object.GetRuntimeClass()->m_lpszClassName << " of " << cls->m_lpszClassName);
        EXPECT_EQ(kind, object.IsKindOf(cls) != FALSE);
    }
}

TEST_P(MfcProfile, ValuesComeBackAndDefaultsOnlyForAbsentEntries)
{
    EXPECT_STREQ(L"fallback", theApp.GetProfileStringW(L"S", L"absent", L"fallback"));
    EXPECT_STREQ(L"", theApp.GetProfileStringW(L"S", L"absent"));
    EXPECT_EQ(7u, theApp.GetProfileIntW(L"S", L"absent", 7));

    const std::wstring longValue(5000, L'v');
    const std::pair<const wchar_t*, const wchar_t*> rows[] = {  // entry, value
        {L"plain", L"value"},
        {L"empty", L""},  // stored empty comes back empty, not as the default
        {L"accents", L"Cartograf\u00eda \u00d1and\u00fa"},
        {L"spaces", L"a value with spaces"},
        {L"long", longValue.c_str()},
    };
    for (const auto& [entry, value] : rows) {
        SCOPED_TRACE(testing::Message() << entry);
        ASSERT_TRUE(theApp.WriteProfileStringW(L"S", entry, value));
        EXPECT_STREQ(value, theApp.GetProfileStringW(L"S", entry, L"fallback"));
    }
    for (const int value : {0, 1, -1, 2147483647, -2147483647 - 1}) {  // bit for bit
        SCOPED_TRACE(value);
        ASSERT_TRUE(theApp.WriteProfileInt(L"S", L"n", value));
        EXPECT_EQ(static_cast<UINT>(value), theApp.GetProfileIntW(L"S", L"n", 7));
    }
}

TEST_P(MfcProfile, NullEntryDeletesTheSectionAndNullValueTheEntry)
{
    for (LPCWSTR section : {L"Gone", L"Kept"}) {
        ASSERT_TRUE(theApp.WriteProfileStringW(section, L"a", L"1"));
        ASSERT_TRUE(theApp.WriteProfileInt(section, L"b", 2));
    }
    theApp.WriteProfileStringW(L"Gone", nullptr, nullptr);
    theApp.WriteProfileStringW(L"Kept", L"a", nullptr);

    EXPECT_STREQ(L"none", theApp.GetProfileStringW(L"Gone", L"a", L"none"));
    EXPECT_EQ(9u, theApp.GetProfileIntW(L"Gone", L"b", 9));
    EXPECT_STREQ(L"none", theApp.GetProfileStringW(L"Kept", L"a", L"none"));
    EXPECT_EQ(2u, theApp.GetProfileIntW(L"Kept", L"b", 9));
}

TEST_P(MfcProfile, LandsWhereTheModeSays)
{
    ASSERT_TRUE(theApp.WriteProfileStringW(L"Where", L"k", L"v"));
    const std::wstring keyPath = L"Software\\" + m_registryKey + L"\\MfcTest\\Where";
    EXPECT_EQ(GetParam() == Store::Registry, RegGetValueW(HKEY_CURRENT_USER, keyPath.c_str(), L"k", RRF_RT_REG_SZ,
                                                          nullptr, nullptr, nullptr) == ERROR_SUCCESS);
    WCHAR value[16] = {};
    EXPECT_EQ(GetParam() == Store::IniFile,
              GetPrivateProfileStringW(L"Where", L"k", L"", value, 16, m_iniPath.c_str()) > 0);
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

TEST(MfcModuleState, RegularDllKeepsItsOwnApplicationObject)
{
    CWinApp* dllApp = ProbeOwnApp();
    ASSERT_NE(nullptr, dllApp);
    EXPECT_NE(&theApp, dllApp);
    EXPECT_STREQ("CWinApp", dllApp->GetRuntimeClass()->m_lpszClassName);
    EXPECT_STREQ(L"mfc_probe", dllApp->m_pszExeName);  // AfxWinInit ran with the DLL's instance
    // Its code runs in the caller's state unless it switches; loading it restored ours.
    EXPECT_EQ(&theApp, ProbeCallerApp());
    EXPECT_EQ(&theApp, AfxGetApp());
}

TEST(MfcModuleState, ManageStateSwitchesForAScopeAndPerThread)
{
    AFX_MODULE_STATE own(TRUE);
    AFX_MODULE_STATE* seenByThread = nullptr;
    {
        AFX_MANAGE_STATE(&own);
        EXPECT_EQ(&own, AfxGetModuleState());
        EXPECT_EQ(nullptr, AfxGetApp());
        std::thread([&] { seenByThread = AfxGetModuleState(); }).join();
    }
    EXPECT_EQ(AfxGetAppModuleState(), seenByThread);  // each thread starts in the application's state
    EXPECT_EQ(AfxGetAppModuleState(), AfxGetModuleState());
    EXPECT_EQ(&theApp, AfxGetApp());
}

TEST(MfcModuleState, ManageStateActivatesTheModulesContextAndUndoesBothOnAnyExit)
{
    AFX_MODULE_STATE* probe = ProbeState();
    ASSERT_NE(nullptr, probe->m_hActCtx);  // AfxWinInit made it from the DLL's manifest
    const std::wstring before = ActiveManifest();
    try {
        AFX_MANAGE_STATE(probe);
        EXPECT_EQ(probe, AfxGetModuleState());
        EXPECT_TRUE(EndsWith(ActiveManifest(), L"\\mfc_probe.dll")) << ActiveManifest();
        {
            // This program has no manifest: its state runs in the process default context.
            AFX_MANAGE_STATE(AfxGetAppModuleState());
            EXPECT_EQ(&theApp, AfxGetApp());
            EXPECT_EQ(L"", ActiveManifest());
        }
        EXPECT_EQ(probe, AfxGetModuleState());
        EXPECT_TRUE(EndsWith(ActiveManifest(), L"\\mfc_probe.dll")) << ActiveManifest();
        throw std::runtime_error("leaving the scope by an exception");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(AfxGetAppModuleState(), AfxGetModuleState());
    EXPECT_EQ(before, ActiveManifest());
}

TEST(MfcModuleState, FailedInitInstanceRefusesTheLoad)
{
    // A second copy, so its entry runs again with the failure asked for.
    const std::filesystem::path copy =
        std::filesystem::temp_directory_path() / (PerProcess(L"mfc_probe_fail-") + L".dll");
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
    HMODULE resources =
        LoadLibraryExW(L"mfc_probe_res.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
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
        text.Format(201u);  // the format itself comes from the chain
        EXPECT_STREQ(L"Texto con acentos: \u00e1rea, se\u00f1al", text);
    }
    EXPECT_FALSE(text.LoadString(200));  // leaving the chain on destruction
    EXPECT_EQ(AfxGetResourceHandle(), AfxFindResourceHandle(MAKEINTRESOURCEW(1), RT_GROUP_ICON));
    FreeLibrary(resources);
}

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
