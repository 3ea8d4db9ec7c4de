// afxstr.h: CString, the wide (UTF-16) string of the framework.
#pragma once

#include "afxver_.h"

#include <cstdarg>

// A wide string with MFC's CStringW interface. Comparison is ordinal on UTF-16 code units;
// Format follows the Microsoft C runtime (%s is a wide string in a wide format, %S a narrow one).
// As in MFC, copies share one reference-counted buffer until one of them is changed, so the
// object is one pointer and copying it allocates nothing.
class AFX_CORE_API CString {
public:
    CString();
    CString(const CString& str);
    CString(CString&& str) noexcept;
    CString(LPCWSTR psz);
    CString(LPCWSTR pch, int nLength);
    CString(LPCSTR psz);  // converted from the ANSI code page, as MFC does
    explicit CString(WCHAR ch, int nRepeat = 1);
    ~CString();

    CString& operator=(const CString& str);
    CString& operator=(CString&& str) noexcept;
    CString& operator=(LPCWSTR psz);
    CString& operator=(LPCSTR psz);
    CString& operator=(WCHAR ch);

    int GetLength() const { return GetData()->nDataLength; }
    bool IsEmpty() const { return GetLength() == 0; }
    void Empty();
    WCHAR GetAt(int iChar) const;
    WCHAR operator[](int iChar) const { return GetAt(iChar); }
    LPCWSTR GetString() const { return m_pszData; }
    operator LPCWSTR() const { return m_pszData; }

    // Ordinal, case-sensitive: <0, 0 or >0 as the first differing UTF-16 code unit decides.
    int Compare(LPCWSTR psz) const;
    int CompareNoCase(LPCWSTR psz) const;

    CString& operator+=(const CString& str);
    CString& operator+=(LPCWSTR psz);
    CString& operator+=(WCHAR ch);
    void Append(LPCWSTR pch, int nLength);

    void Format(LPCWSTR pszFormat, ...);
    void Format(UINT nFormatID, ...);
    void FormatV(LPCWSTR pszFormat, va_list args);
    void AppendFormat(LPCWSTR pszFormat, ...);
    void AppendFormatV(LPCWSTR pszFormat, va_list args);

    // Loads a string table entry through the resource chain of the current module state.
    BOOL LoadString(UINT nID);
    BOOL LoadString(HINSTANCE hInstance, UINT nID);

    // The buffer holds at least nMinBufferLength characters plus a terminator until ReleaseBuffer.
    LPWSTR GetBuffer();
    LPWSTR GetBuffer(int nMinBufferLength);
    LPWSTR GetBufferSetLength(int nLength);
    void ReleaseBuffer(int nNewLength = -1);

    int Find(WCHAR ch, int iStart = 0) const;
    int Find(LPCWSTR pszSub, int iStart = 0) const;
    int ReverseFind(WCHAR ch) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString Mid(int iFirst) const;
    CString Mid(int iFirst, int nCount) const;
    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();
    CString& Trim(LPCWSTR pszTargets);
    CString& TrimLeft(LPCWSTR pszTargets);
    CString& TrimRight(LPCWSTR pszTargets);
    CString& MakeLower();
    CString& MakeUpper();
    int Replace(LPCWSTR pszOld, LPCWSTR pszNew);
    int Replace(WCHAR chOld, WCHAR chNew);
    int Delete(int iIndex, int nCount = 1);

    friend AFX_CORE_API CString operator+(const CString& a, const CString& b);
    friend AFX_CORE_API CString operator+(const CString& a, LPCWSTR b);
    friend AFX_CORE_API CString operator+(LPCWSTR a, const CString& b);
    friend AFX_CORE_API CString operator+(const CString& a, WCHAR b);
    friend AFX_CORE_API CString operator+(WCHAR a, const CString& b);

private:
    // The header in front of the characters; the empty string's is shared and never freed.
    struct Data {
        volatile LONG nRefs;
        int nDataLength;
        int nAllocLength;  // characters, the terminator not counted
    };
    Data* GetData() const { return reinterpret_cast<Data*>(m_pszData) - 1; }

    void Assign(LPCWSTR pch, int nLength);
    void Attach(Data* pData);
    // Makes the buffer this object's alone with room for nLength characters, keeping the content.
    void PrepareWrite(int nLength);
    void SetLength(int nLength);

    LPWSTR m_pszData;
};

inline bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
inline bool operator==(const CString& a, LPCWSTR b) { return a.Compare(b) == 0; }
inline bool operator==(LPCWSTR a, const CString& b) { return b.Compare(a) == 0; }
inline bool operator!=(const CString& a, const CString& b) { return a.Compare(b) != 0; }
inline bool operator!=(const CString& a, LPCWSTR b) { return a.Compare(b) != 0; }
inline bool operator!=(LPCWSTR a, const CString& b) { return b.Compare(a) != 0; }
inline bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
inline bool operator<(const CString& a, LPCWSTR b) { return a.Compare(b) < 0; }
inline bool operator<(LPCWSTR a, const CString& b) { return b.Compare(a) > 0; }
inline bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
inline bool operator>(const CString& a, LPCWSTR b) { return a.Compare(b) > 0; }
inline bool operator>(LPCWSTR a, const CString& b) { return b.Compare(a) < 0; }
inline bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
inline bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }

typedef CString CStringW;
