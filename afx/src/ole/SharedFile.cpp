#include <afxole.h>

IMPLEMENT_DYNAMIC(CSharedFile, CMemFile)

CSharedFile::CSharedFile(UINT nAllocFlags, UINT nGrowBytes) : CMemFile(nGrowBytes), m_nAllocFlags(nAllocFlags) {}

CSharedFile::~CSharedFile()
{
    if (m_lpBuffer != nullptr && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = nullptr;
}

BYTE* CSharedFile::Alloc(SIZE_T nBytes)
{
    HGLOBAL block = ::GlobalAlloc(m_nAllocFlags, nBytes);
    if (block == nullptr)
        return nullptr;
    m_hGlobalMemory = block;
    return static_cast<BYTE*>(::GlobalLock(block));
}

BYTE* CSharedFile::Realloc(BYTE* lpMem, SIZE_T nBytes)
{
    if (lpMem == nullptr || m_hGlobalMemory == nullptr)
        return Alloc(nBytes);
    ::GlobalUnlock(m_hGlobalMemory);
    HGLOBAL grown = ::GlobalReAlloc(m_hGlobalMemory, nBytes, m_nAllocFlags);
    if (grown == nullptr) {
        // The old block stays the file's, locked again where it now lies.
        m_lpBuffer = static_cast<BYTE*>(::GlobalLock(m_hGlobalMemory));
        return nullptr;
    }
    m_hGlobalMemory = grown;
    return static_cast<BYTE*>(::GlobalLock(grown));
}

void CSharedFile::Free(BYTE* lpMem)
{
    if (lpMem == nullptr || m_hGlobalMemory == nullptr)
        return;
    ::GlobalUnlock(m_hGlobalMemory);
    ::GlobalFree(m_hGlobalMemory);
    m_hGlobalMemory = nullptr;
}

HGLOBAL CSharedFile::Detach()
{
    HGLOBAL block = m_hGlobalMemory;
    const SIZE_T length = m_nFileSize;
    const BOOL owned = m_bAutoDelete;
    CMemFile::Detach();
    m_hGlobalMemory = nullptr;
    if (block == nullptr)
        return nullptr;
    ::GlobalUnlock(block);
    if (!owned)
        return block;
    if (length == 0) {
        ::GlobalFree(block);
        return nullptr;
    }
    HGLOBAL exact = ::GlobalReAlloc(block, length, m_nAllocFlags);
    return exact != nullptr ? exact : block;
}
