// String.cpp: CString.
#include "afxwin.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <stdexcept>
#include <stdio.h>

namespace {

std::wstring WidenAnsi(LPCSTR psz)
{
    if (psz == nullptr || *psz == '\0')
        return {};
    const int n = MultiByteToWideChar(CP_ACP, 0, psz, -1, nullptr, 0);
    std::wstring w(n > 0 ? n - 1 : 0, L'\0');
    if (n > 1)
        MultiByteToWideChar(CP_ACP, 0, psz, -1, w.data(), n);
    return w;
}

bool IsBlank(WCHAR ch) { return iswspace(ch) != 0; }

// Microsoft semantics on purpose: mingw's C99 printf would read %s as a narrow string.
std::wstring FormatMicrosoft(LPCWSTR format, va_list args)
{
    va_list counting;
    va_copy(counting, args);
    const int n = _vscwprintf(format, counting);
    va_end(counting);
    if (n < 0)
        throw std::invalid_argument("CString::Format: invalid format string");
    std::wstring out(static_cast<size_t>(n), L'\0');
    _vsnwprintf(out.data(), out.size() + 1, format, args);
    return out;
}

}  // namespace

void AFXAPI AfxAssertFailed(const char* file, int line, const char* expression)
{
    char text[1024];
    snprintf(text, sizeof text, "%s(%d): assertion failed: %s\n", file, line, expression);
    OutputDebugStringA(text);
    fputs(text, stderr);
    fflush(stderr);
    abort();
}

CString::CString(LPCWSTR psz) : m_str(psz ? psz : L"") {}
CString::CString(LPCWSTR pch, int nLength) : m_str(pch && nLength > 0 ? std::wstring(pch, nLength) : std::wstring()) {}
CString::CString(LPCSTR psz) : m_str(WidenAnsi(psz)) {}
CString::CString(WCHAR ch, int nRepeat) : m_str(nRepeat > 0 ? nRepeat : 0, ch) {}

CString& CString::operator=(LPCWSTR psz)
{
    m_str = psz ? psz : L"";
    return *this;
}

CString& CString::operator=(LPCSTR psz)
{
    m_str = WidenAnsi(psz);
    return *this;
}

CString& CString::operator=(WCHAR ch)
{
    m_str.assign(1, ch);
    return *this;
}

WCHAR CString::GetAt(int iChar) const
{
    ASSERT(iChar >= 0 && iChar < GetLength());
    return m_str[iChar];
}

void CString::SetAt(int iChar, WCHAR ch)
{
    ASSERT(iChar >= 0 && iChar < GetLength());
    m_str[iChar] = ch;
}

int CString::Compare(LPCWSTR psz) const { return wcscmp(m_str.c_str(), psz ? psz : L""); }
int CString::CompareNoCase(LPCWSTR psz) const { return _wcsicmp(m_str.c_str(), psz ? psz : L""); }

CString& CString::operator+=(const CString& str)
{
    m_str += str.m_str;
    return *this;
}

CString& CString::operator+=(LPCWSTR psz)
{
    if (psz)
        m_str += psz;
    return *this;
}

CString& CString::operator+=(WCHAR ch)
{
    m_str += ch;
    return *this;
}

void CString::Append(LPCWSTR pch, int nLength)
{
    if (pch && nLength > 0)
        m_str.append(pch, nLength);
}

void CString::Format(LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::Format(UINT nFormatID, ...)
{
    CString format;
    VERIFY(format.LoadString(nFormatID));
    va_list args;
    va_start(args, nFormatID);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(LPCWSTR pszFormat, va_list args) { m_str = FormatMicrosoft(pszFormat, args); }

void CString::AppendFormat(LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    m_str += FormatMicrosoft(pszFormat, args);
    va_end(args);
}

BOOL CString::LoadString(UINT nID)
{
    const HINSTANCE hInstance = AfxFindStringResourceHandle(nID);
    return hInstance != nullptr && LoadString(hInstance, nID);
}

BOOL CString::LoadString(HINSTANCE hInstance, UINT nID)
{
    // With a zero length LoadStringW hands out a pointer into the resource itself.
    LPCWSTR pch = nullptr;
    const int n = ::LoadStringW(hInstance, nID, reinterpret_cast<LPWSTR>(&pch), 0);
    if (n <= 0 || pch == nullptr)
        return FALSE;
    m_str.assign(pch, n);
    return TRUE;
}

LPWSTR CString::GetBuffer() { return m_str.data(); }

LPWSTR CString::GetBuffer(int nMinBufferLength)
{
    if (nMinBufferLength > GetLength())
        m_str.resize(nMinBufferLength);
    return m_str.data();
}

LPWSTR CString::GetBufferSetLength(int nLength)
{
    m_str.resize(nLength > 0 ? nLength : 0);
    return m_str.data();
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = static_cast<int>(wcsnlen(m_str.c_str(), m_str.size()));
    ASSERT(nNewLength <= GetLength());
    m_str.resize(nNewLength);
}

int CString::Find(WCHAR ch, int iStart) const
{
    if (iStart < 0 || iStart > GetLength())
        return -1;
    const size_t at = m_str.find(ch, iStart);
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::Find(LPCWSTR pszSub, int iStart) const
{
    if (pszSub == nullptr || iStart < 0 || iStart > GetLength())
        return -1;
    const size_t at = m_str.find(pszSub, iStart);
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(WCHAR ch) const
{
    const size_t at = m_str.rfind(ch);
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

CString CString::Left(int nCount) const { return Mid(0, nCount); }

CString CString::Right(int nCount) const
{
    nCount = std::clamp(nCount, 0, GetLength());
    return Mid(GetLength() - nCount, nCount);
}

CString CString::Mid(int iFirst) const { return Mid(iFirst, GetLength()); }

CString CString::Mid(int iFirst, int nCount) const
{
    iFirst = std::clamp(iFirst, 0, GetLength());
    nCount = std::clamp(nCount, 0, GetLength() - iFirst);
    return CString(m_str.c_str() + iFirst, nCount);
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }

CString& CString::TrimLeft()
{
    m_str.erase(m_str.begin(), std::find_if_not(m_str.begin(), m_str.end(), IsBlank));
    return *this;
}

CString& CString::TrimRight()
{
    m_str.erase(std::find_if_not(m_str.rbegin(), m_str.rend(), IsBlank).base(), m_str.end());
    return *this;
}

CString& CString::Trim(LPCWSTR pszTargets) { return TrimRight(pszTargets).TrimLeft(pszTargets); }

CString& CString::TrimLeft(LPCWSTR pszTargets)
{
    m_str.erase(0, m_str.find_first_not_of(pszTargets));
    return *this;
}

CString& CString::TrimRight(LPCWSTR pszTargets)
{
    const size_t last = m_str.find_last_not_of(pszTargets);
    m_str.erase(last == std::wstring::npos ? 0 : last + 1);
    return *this;
}

CString& CString::MakeLower()
{
    if (!m_str.empty())
        CharLowerBuffW(m_str.data(), static_cast<DWORD>(m_str.size()));
    return *this;
}

CString& CString::MakeUpper()
{
    if (!m_str.empty())
        CharUpperBuffW(m_str.data(), static_cast<DWORD>(m_str.size()));
    return *this;
}

int CString::Replace(LPCWSTR pszOld, LPCWSTR pszNew)
{
    const std::wstring from = pszOld ? pszOld : L"";
    const std::wstring to = pszNew ? pszNew : L"";
    if (from.empty())
        return 0;
    int count = 0;
    for (size_t at = m_str.find(from); at != std::wstring::npos; at = m_str.find(from, at + to.size())) {
        m_str.replace(at, from.size(), to);
        ++count;
    }
    return count;
}

int CString::Replace(WCHAR chOld, WCHAR chNew)
{
    int count = 0;
    for (WCHAR& ch : m_str)
        if (ch == chOld) {
            ch = chNew;
            ++count;
        }
    return count;
}

int CString::Remove(WCHAR ch)
{
    const size_t before = m_str.size();
    std::erase(m_str, ch);
    return static_cast<int>(before - m_str.size());
}

int CString::Insert(int iIndex, LPCWSTR psz)
{
    iIndex = std::clamp(iIndex, 0, GetLength());
    if (psz)
        m_str.insert(iIndex, psz);
    return GetLength();
}

int CString::Delete(int iIndex, int nCount)
{
    if (iIndex >= 0 && iIndex < GetLength() && nCount > 0)
        m_str.erase(iIndex, nCount);
    return GetLength();
}

CString operator+(const CString& a, const CString& b)
{
    CString s(a);
    s += b;
    return s;
}

CString operator+(const CString& a, LPCWSTR b)
{
    CString s(a);
    s += b;
    return s;
}

CString operator+(LPCWSTR a, const CString& b)
{
    CString s(a);
    s += b;
    return s;
}

CString operator+(const CString& a, WCHAR b)
{
    CString s(a);
    s += b;
    return s;
}

CString operator+(WCHAR a, const CString& b)
{
    CString s(a);
    s += b;
    return s;
}
