// Tests of the MFC-compatible layer: CString, runtime classes, module states, resources (the profile in both
// modes: storage_test, through the catalogue; a host's resource chain: mfc_window_test; exceptions and
// containers crossing modules: every Nadir and catalogue test).
#include <afxwin.h>

#include "MfcProbe.h"

#include <Win32/Manejadores.h>
#include <Win32/Modulos.h>
#include <Win32/Texto.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cwctype>
#include <filesystem>
#include <optional>
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
    // Mingw's C99 printf would read %s as narrow: the conversions whose meaning differs, and a long result;
    // the rest of Format is the runtime's.
    const std::pair<CString, CString> rows[] = {  // expected, actual
        {L"wide", format(L"%s", L"wide")},
        {L"narrow", format(L"%S", "narrow")},
        {L"[" + longText + L"]", format(L"[%s]", longText.GetString())},
    };
    for (const auto& [expected, actual] : rows) {
        SCOPED_TRACE(testing::Message() << "expected " << expected.Left(20).GetString());
        EXPECT_STREQ(expected, actual);
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
    const std::pair<const wchar_t*, CString> rows[] = {  // expected, actual
        {L"a b", trimmed.Trim()},
        {L"a--b--c", replaced},
        {L"bc", CString(L"abc").Mid(1)},
        {L"abc", CString(L"abc").Left(99)},
        {L"bc", CString(L"abc").Right(2)},
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
        {"GetBuffer", [](CString& s) { s.GetBuffer()[1] = L'p'; s.ReleaseBuffer(); }, L"EpSG:4326 shared text"},
        {"Replace", [](CString& s) { s.Replace(L':', L'-'); }, L"EPSG-4326 shared text"},
        {"Format", [](CString& s) { s.Format(L"%d", 7); }, L"7"},
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
    s = s.GetString() + 4;
    EXPECT_STREQ(L"bc", s);
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
        {base, RUNTIME_CLASS(CDerived), false},
        {theApp, RUNTIME_CLASS(CWinThread), true},  // the chain crosses into mfc.dll
    };
    for (const auto& [object, cls, kind] : rows) {
        SCOPED_TRACE(testing::Message() << object.GetRuntimeClass()->m_lpszClassName << " of " << cls->m_lpszClassName);
        EXPECT_EQ(kind, object.IsKindOf(cls) != FALSE);
    }
}

TEST(MfcApp, NamesComeFromTheModule)
{
    EXPECT_STREQ(L"mfc_test", theApp.m_pszExeName);
    EXPECT_STREQ(L"MfcTest", AfxGetAppName());
    EXPECT_EQ(GetModuleHandleW(nullptr), AfxGetInstanceHandle());
    theApp.SetRegistryKey(L"Key");
    EXPECT_STREQ(L"MfcTest", theApp.m_pszProfileName);  // the profile is named after the application
    free(const_cast<LPWSTR>(theApp.m_pszRegistryKey));  // the framework's own copy
    theApp.m_pszRegistryKey = nullptr;
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
    const Win32::ModuloCargado module(LoadLibraryW(copy.c_str()));
    const DWORD error = GetLastError();
    SetEnvironmentVariableW(L"MFC_PROBE_FAIL_INIT", nullptr);
    EXPECT_FALSE(module);
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

// The Win32 support the framework stands on: what is logic in it.

// Which way a row's pair holds: both ways, or only from one side (what is not Unicode becomes U+FFFD).
enum class Sentido { Ambos, DesdeUtf16, DesdeUtf8 };

TEST(Win32Text, Utf8AndUtf16KeepEveryCharacterAndReplaceWhatIsNotUnicode)
{
    const struct {
        const char* caso;
        Sentido sentido;
        std::wstring texto;
        std::string utf8;
    } filas[] = {
        {"empty", Sentido::Ambos, L"", ""},
        {"two and three bytes", Sentido::Ambos, L"R\u00edo \u20ac", "R\xC3\xADo \xE2\x82\xAC"},
        {"a surrogate pair", Sentido::Ambos, L"\U0001F30D!", "\xF0\x9F\x8C\x8D!"},
        {"a null inside", Sentido::Ambos, std::wstring(L"a\0b", 3), std::string("a\0b", 3)},
        {"a high surrogate alone", Sentido::DesdeUtf16, L"\xD83Cx", "\xEF\xBF\xBDx"},
        {"a sequence cut short", Sentido::DesdeUtf8, L"R\xFFFD", "R\xC3"},
        {"an overlong slash", Sentido::DesdeUtf8, L"\xFFFD\xFFFD", "\xC0\xAF"},
    };
    for (const auto& fila : filas) {
        SCOPED_TRACE(fila.caso);
        if (fila.sentido != Sentido::DesdeUtf8) {
            EXPECT_EQ(fila.utf8, Win32::Utf8(fila.texto));
        }
        if (fila.sentido != Sentido::DesdeUtf16) {
            EXPECT_EQ(fila.texto, Win32::Utf16(fila.utf8));
            const std::optional<std::wstring> estricto =
                fila.sentido == Sentido::Ambos ? std::optional(fila.texto) : std::nullopt;
            EXPECT_EQ(estricto, Win32::Utf16Estricto(fila.utf8));
        }
    }
    EXPECT_EQ(std::nullopt, Win32::Utf16Estricto("\xED\xA0\x80"));  // an encoded surrogate
    EXPECT_EQ("caf\xC3\xA9", Win32::Utf8(CString(L"caf\u00e9")));  // a CString through its null-ended text
}

TEST(Win32Text, TheSystemsSentenceForAnErrorWithoutItsLineBreakOrPeriod)
{
    const Win32::ModuloCargado wininet(LoadLibraryW(L"wininet.dll"));
    ASSERT_TRUE(wininet);
    const struct {
        const char* caso;
        DWORD error;
        HMODULE modulo;
        bool tieneTexto;
    } filas[] = {
        {"a Windows error", ERROR_FILE_NOT_FOUND, nullptr, true},
        {"a WinINet error, from wininet.dll's table", 12029, wininet.Get(), true},
        {"a Windows error that table lacks", ERROR_ACCESS_DENIED, wininet.Get(), true},
        {"a code no table has", 0x2000BEEF, nullptr, false},
    };
    for (const auto& fila : filas) {
        SCOPED_TRACE(fila.caso);
        const std::wstring texto = Win32::MensajeDelSistema(fila.error, fila.modulo);
        EXPECT_EQ(fila.tieneTexto, !texto.empty());
        if (!texto.empty()) {
            EXPECT_FALSE(iswspace(texto.front()) || iswspace(texto.back()) || texto.back() == L'.') << texto;
        }
    }
}

TEST(Win32ModulePath, WhereLoadedModulesCameFromWhateverTheLength)
{
    const std::wstring carpeta = Win32::CarpetaDelModulo(nullptr);
    EXPECT_EQ(carpeta + L"mfc_test.exe", Win32::RutaDelModulo(nullptr));
    EXPECT_EQ(carpeta + L"mfc.dll", Win32::RutaDelModulo(GetModuleHandleW(L"mfc.dll")));

    // A module in a folder whose path is longer than MAX_PATH (the \\?\ prefix takes a path past that limit).
    const std::filesystem::path raiz =
        L"\\\\?\\" + (std::filesystem::temp_directory_path() / PerProcess(L"ruta-")).wstring();
    const std::filesystem::path carpetaLarga = raiz / std::wstring(150, L'a') / std::wstring(150, L'b');
    const std::filesystem::path copia = carpetaLarga / L"mfc_probe_res.dll";
    std::filesystem::create_directories(carpetaLarga);
    std::filesystem::copy_file(L"mfc_probe_res.dll", copia);
    std::wstring ruta, carpetaDelModulo;
    if (const Win32::ModuloCargado modulo(LoadLibraryW(copia.c_str())); modulo) {
        ruta = Win32::RutaDelModulo(modulo.Get());
        carpetaDelModulo = Win32::CarpetaDelModulo(modulo.Get());
    }
    // Removed one by one: the runtime's remove_all does not follow the prefix.
    DeleteFileW(copia.c_str());
    for (const auto& carpeta : {carpetaLarga, carpetaLarga.parent_path(), raiz})
        RemoveDirectoryW(carpeta.c_str());
    EXPECT_GT(ruta.size(), size_t{MAX_PATH});
    EXPECT_TRUE(ruta.ends_with(L"\\" + std::wstring(150, L'b') + L"\\mfc_probe_res.dll")) << ruta;
    EXPECT_EQ(ruta.substr(0, ruta.size() - 17), carpetaDelModulo);
}
