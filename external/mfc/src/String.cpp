// String.cpp: CString.
#include "afxwin.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cwchar>
#include <cwctype>
#include <new>
#include <stdexcept>
#include <utility>
#include <stdio.h>

namespace {

bool IsBlank(WCHAR ch) { return iswspace(ch) != 0; }

// The empty string: one header and a terminator, shared by every empty CString, never freed.
struct NilString {
    LONG nRefs = -1;
    int nDataLength = 0;
    int nAllocLength = 0;
    WCHAR chNil = L'\0';
} g_nil;

int Clamp(int n, int lo, int hi) { return std::clamp(n, lo, hi); }

int LengthOf(LPCWSTR psz) { return psz ? static_cast<int>(wcslen(psz)) : 0; }

// Out of line so GCC does not follow the shared empty string into free() on a path its count rules out.
[[gnu::noinline]] void FreeBuffer(void* p) { free(p); }

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


CString::CString() : m_pszData(&g_nil.chNil)
{
    static_assert(offsetof(NilString, chNil) == sizeof(Data), "the empty string must look like any other");
}

CString::CString(const CString& str) : m_pszData(str.m_pszData)
{
    if (GetData()->nRefs >= 0)
        InterlockedIncrement(&GetData()->nRefs);
}

CString::CString(CString&& str) noexcept : m_pszData(str.m_pszData) { str.m_pszData = &g_nil.chNil; }

CString::CString(LPCWSTR psz) : CString() { Assign(psz, LengthOf(psz)); }
CString::CString(LPCWSTR pch, int nLength) : CString() { Assign(pch, pch ? std::max(nLength, 0) : 0); }

CString::CString(LPCSTR psz) : CString() { *this = psz; }

CString::CString(WCHAR ch, int nRepeat) : CString()
{
    if (nRepeat <= 0)
        return;
    PrepareWrite(nRepeat);
    std::fill_n(m_pszData, nRepeat, ch);
    SetLength(nRepeat);
}

CString::~CString() { Attach(nullptr); }

CString& CString::operator=(const CString& str)
{
    if (m_pszData != str.m_pszData) {
        Data* pData = str.GetData();
        if (pData->nRefs >= 0)
            InterlockedIncrement(&pData->nRefs);
        Attach(pData);
    }
    return *this;
}

CString& CString::operator=(CString&& str) noexcept
{
    if (this != &str) {
        Attach(nullptr);
        m_pszData = std::exchange(str.m_pszData, &g_nil.chNil);
    }
    return *this;
}

CString& CString::operator=(LPCWSTR psz)
{
    Assign(psz, LengthOf(psz));
    return *this;
}

CString& CString::operator=(LPCSTR psz)
{
    const int n = psz && *psz ? MultiByteToWideChar(CP_ACP, 0, psz, -1, nullptr, 0) - 1 : 0;
    if (n <= 0) {
        Empty();
        return *this;
    }
    PrepareWrite(n);
    MultiByteToWideChar(CP_ACP, 0, psz, -1, m_pszData, n + 1);
    SetLength(n);
    return *this;
}

CString& CString::operator=(WCHAR ch)
{
    Assign(&ch, 1);
    return *this;
}

// Releases this object's hold on its buffer and takes pData (already counted for it) instead;
// null leaves it empty.
void CString::Attach(Data* pData)
{
    Data* pOld = GetData();
    if (pOld->nRefs >= 0 && InterlockedDecrement(&pOld->nRefs) == 0)
        FreeBuffer(pOld);
    m_pszData = pData ? reinterpret_cast<LPWSTR>(pData + 1) : &g_nil.chNil;
}

void CString::PrepareWrite(int nLength)
{
    Data* pData = GetData();
    if (pData->nRefs == 1 && nLength <= pData->nAllocLength)
        return;
    // Grow by half again when appending, so a run of += stays linear.
    int nAlloc = nLength;
    if (pData->nRefs == 1 && nLength > pData->nAllocLength)
        nAlloc = std::max(nLength, pData->nAllocLength + pData->nAllocLength / 2);
    auto* pNew = static_cast<Data*>(malloc(sizeof(Data) + (static_cast<size_t>(nAlloc) + 1) * sizeof(WCHAR)));
    if (pNew == nullptr)
        throw std::bad_alloc();
    pNew->nRefs = 1;
    pNew->nAllocLength = nAlloc;
    pNew->nDataLength = std::min(pData->nDataLength, nAlloc);
    LPWSTR pszNew = reinterpret_cast<LPWSTR>(pNew + 1);
    wmemcpy(pszNew, m_pszData, pNew->nDataLength);
    pszNew[pNew->nDataLength] = L'\0';
    Attach(pNew);
}

void CString::SetLength(int nLength)
{
    ASSERT(nLength >= 0 && nLength <= GetData()->nAllocLength);
    GetData()->nDataLength = nLength;
    m_pszData[nLength] = L'\0';
}

// pch may point into this object's own buffer.
void CString::Assign(LPCWSTR pch, int nLength)
{
    if (nLength == 0) {
        Empty();
        return;
    }
    CString copy;
    copy.PrepareWrite(nLength);
    wmemcpy(copy.m_pszData, pch, nLength);
    copy.SetLength(nLength);
    *this = std::move(copy);
}

void CString::Empty() { Attach(nullptr); }

WCHAR CString::GetAt(int iChar) const
{
    ASSERT(iChar >= 0 && iChar < GetLength());
    return m_pszData[iChar];
}

int CString::Compare(LPCWSTR psz) const { return wcscmp(m_pszData, psz ? psz : L""); }
int CString::CompareNoCase(LPCWSTR psz) const { return _wcsicmp(m_pszData, psz ? psz : L""); }

CString& CString::operator+=(const CString& str)
{
    if (IsEmpty())
        return *this = str;
    Append(str.m_pszData, str.GetLength());
    return *this;
}

CString& CString::operator+=(LPCWSTR psz)
{
    Append(psz, LengthOf(psz));
    return *this;
}

CString& CString::operator+=(WCHAR ch)
{
    Append(&ch, 1);
    return *this;
}

void CString::Append(LPCWSTR pch, int nLength)
{
    if (pch == nullptr || nLength <= 0)
        return;
    const int nOld = GetLength();
    if (pch >= m_pszData && pch <= m_pszData + nOld) {
        // Appending part of itself: the source must outlive a reallocation.
        const CString source(pch, nLength);
        Append(source.m_pszData, nLength);
        return;
    }
    PrepareWrite(nOld + nLength);
    wmemcpy(m_pszData + nOld, pch, nLength);
    SetLength(nOld + nLength);
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

void CString::FormatV(LPCWSTR pszFormat, va_list args)
{
    Empty();
    va_list copy;
    va_copy(copy, args);
    AppendFormatV(pszFormat, copy);
    va_end(copy);
}

void CString::AppendFormat(LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    AppendFormatV(pszFormat, args);
    va_end(args);
}

// Microsoft semantics on purpose: mingw's C99 printf would read %s as a narrow string.
void CString::AppendFormatV(LPCWSTR pszFormat, va_list args)
{
    va_list counting;
    va_copy(counting, args);
    const int n = _vscwprintf(pszFormat, counting);
    va_end(counting);
    if (n < 0)
        throw std::invalid_argument("CString::Format: invalid format string");
    const int nOld = GetLength();
    PrepareWrite(nOld + n);
    _vsnwprintf(m_pszData + nOld, static_cast<size_t>(n) + 1, pszFormat, args);
    SetLength(nOld + n);
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
    Assign(pch, n);
    return TRUE;
}

LPWSTR CString::GetBuffer() { return GetBuffer(0); }

LPWSTR CString::GetBuffer(int nMinBufferLength)
{
    PrepareWrite(std::max(nMinBufferLength, GetLength()));
    return m_pszData;
}

LPWSTR CString::GetBufferSetLength(int nLength)
{
    nLength = std::max(nLength, 0);
    PrepareWrite(nLength);
    SetLength(nLength);
    return m_pszData;
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (GetData()->nRefs < 0)
        return;  // still the shared empty string: nothing was asked for
    if (nNewLength < 0)
        nNewLength = static_cast<int>(wcsnlen(m_pszData, GetData()->nAllocLength));
    SetLength(nNewLength);
}

int CString::Find(WCHAR ch, int iStart) const
{
    if (iStart < 0 || iStart >= GetLength())
        return -1;
    const WCHAR* p = wmemchr(m_pszData + iStart, ch, GetLength() - iStart);
    return p ? static_cast<int>(p - m_pszData) : -1;
}

int CString::Find(LPCWSTR pszSub, int iStart) const
{
    if (pszSub == nullptr || iStart < 0 || iStart > GetLength())
        return -1;
    const WCHAR* p = wcsstr(m_pszData + iStart, pszSub);
    return p ? static_cast<int>(p - m_pszData) : -1;
}

int CString::ReverseFind(WCHAR ch) const
{
    for (int i = GetLength() - 1; i >= 0; --i)
        if (m_pszData[i] == ch)
            return i;
    return -1;
}

CString CString::Left(int nCount) const { return Mid(0, nCount); }

CString CString::Right(int nCount) const
{
    nCount = Clamp(nCount, 0, GetLength());
    return Mid(GetLength() - nCount, nCount);
}

CString CString::Mid(int iFirst) const { return Mid(iFirst, GetLength()); }

CString CString::Mid(int iFirst, int nCount) const
{
    iFirst = Clamp(iFirst, 0, GetLength());
    nCount = Clamp(nCount, 0, GetLength() - iFirst);
    if (iFirst == 0 && nCount == GetLength())
        return *this;
    return CString(m_pszData + iFirst, nCount);
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }

CString& CString::TrimLeft()
{
    int n = 0;
    while (n < GetLength() && IsBlank(m_pszData[n]))
        ++n;
    Delete(0, n);
    return *this;
}

CString& CString::TrimRight()
{
    int n = GetLength();
    while (n > 0 && IsBlank(m_pszData[n - 1]))
        --n;
    return *this = Left(n);
}

CString& CString::Trim(LPCWSTR pszTargets) { return TrimRight(pszTargets).TrimLeft(pszTargets); }

CString& CString::TrimLeft(LPCWSTR pszTargets)
{
    Delete(0, static_cast<int>(wcsspn(m_pszData, pszTargets)));
    return *this;
}

CString& CString::TrimRight(LPCWSTR pszTargets)
{
    int n = GetLength();
    while (n > 0 && wcschr(pszTargets, m_pszData[n - 1]) != nullptr)
        --n;
    return *this = Left(n);
}

CString& CString::MakeLower()
{
    if (!IsEmpty()) {
        PrepareWrite(GetLength());
        CharLowerBuffW(m_pszData, static_cast<DWORD>(GetLength()));
    }
    return *this;
}

CString& CString::MakeUpper()
{
    if (!IsEmpty()) {
        PrepareWrite(GetLength());
        CharUpperBuffW(m_pszData, static_cast<DWORD>(GetLength()));
    }
    return *this;
}

int CString::Replace(LPCWSTR pszOld, LPCWSTR pszNew)
{
    const int nOld = LengthOf(pszOld);
    if (nOld == 0)
        return 0;
    CString result;
    int count = 0;
    LPCWSTR p = m_pszData;
    for (LPCWSTR hit = wcsstr(p, pszOld); hit != nullptr; hit = wcsstr(p, pszOld), ++count) {
        result.Append(p, static_cast<int>(hit - p));
        result += pszNew;
        p = hit + nOld;
    }
    if (count > 0) {
        result.Append(p, static_cast<int>(m_pszData + GetLength() - p));
        *this = std::move(result);
    }
    return count;
}

int CString::Replace(WCHAR chOld, WCHAR chNew)
{
    const int count = static_cast<int>(std::count(m_pszData, m_pszData + GetLength(), chOld));
    if (count > 0) {
        PrepareWrite(GetLength());
        std::replace(m_pszData, m_pszData + GetLength(), chOld, chNew);
    }
    return count;
}

int CString::Delete(int iIndex, int nCount)
{
    if (iIndex >= 0 && iIndex < GetLength() && nCount > 0) {
        nCount = std::min(nCount, GetLength() - iIndex);
        *this = Left(iIndex) + Mid(iIndex + nCount);
    }
    return GetLength();
}

namespace {
template <class A, class B>
CString Concatena(const A& a, const B& b)
{
    CString s(a);
    s += b;
    return s;
}
}  // namespace

CString operator+(const CString& a, const CString& b) { return Concatena(a, b); }
CString operator+(const CString& a, LPCWSTR b) { return Concatena(a, b); }
CString operator+(LPCWSTR a, const CString& b) { return Concatena(a, b); }
CString operator+(const CString& a, WCHAR b) { return Concatena(a, b); }
CString operator+(WCHAR a, const CString& b) { return Concatena(a, b); }
