#include "document/DumpWriter.h"

#include <algorithm>
#include <new>

#include "document/DumpFormat.h"

CDumpWriter::CDumpWriter(CArchive& ar)
    : m_archive(ar),
      m_pBlanks(new (std::nothrow) uint8_t[kBlockChunks * kDumpChunkSize]),
      m_pGathered(new (std::nothrow) uint8_t[kBlockChunks * kDumpChunkSize]),
      m_nBlanks(0),
      m_nGathered(0),
      m_bFailed(!IsReady())
{
    if (!IsReady()) {
        return;
    }
    MakeDumpChunk(nullptr, m_pBlanks.get());
    for (size_t i = 1; i < kBlockChunks; ++i) {
        std::copy(m_pBlanks.get(), m_pBlanks.get() + kDumpChunkSize,
                  m_pBlanks.get() + i * kDumpChunkSize);
    }
}

bool CDumpWriter::AddPage(const uint8_t* pageOrNull)
{
    if (m_bFailed) {
        return false;
    }
    // Only one kind is ever held: a change of kind writes out the other first, in page order.
    if (pageOrNull == nullptr) {
        if (m_nGathered > 0 && !WriteGathered()) {
            return false;
        }
        ++m_nBlanks;
        return m_nBlanks < kBlockChunks || WriteBlanks();
    }
    if (m_nBlanks > 0 && !WriteBlanks()) {
        return false;
    }
    MakeDumpChunk(pageOrNull, m_pGathered.get() + m_nGathered * kDumpChunkSize);
    ++m_nGathered;
    return m_nGathered < kBlockChunks || WriteGathered();
}

bool CDumpWriter::Finish()
{
    if (m_nBlanks > 0) {
        WriteBlanks();
    }
    if (m_nGathered > 0) {
        WriteGathered();
    }
    return !m_bFailed;
}

bool CDumpWriter::WriteBlanks()
{
    const size_t count = m_nBlanks;
    m_nBlanks = 0;
    m_bFailed =
        m_bFailed || !m_archive.Write(m_pBlanks.get(), static_cast<UINT>(count * kDumpChunkSize));
    return !m_bFailed;
}

bool CDumpWriter::WriteGathered()
{
    const size_t count = m_nGathered;
    m_nGathered = 0;
    m_bFailed =
        m_bFailed || !m_archive.Write(m_pGathered.get(), static_cast<UINT>(count * kDumpChunkSize));
    return !m_bFailed;
}
