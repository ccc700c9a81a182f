#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

#include "framework/Afx.h"

// Writes the chunks of the memory text dump to an archive in blocks, at the pace of the disk:
// a run of pages that could not be read goes out from a block of ready-made blank chunks, the
// chunks of read pages are gathered in a block of their own first. The file gets the same bytes
// as one chunk written after the other. Nothing is written after a write has failed.
class CDumpWriter
{
public:
    // Chunks a block holds: just over 1 MB, so that a block passes the archive's buffer by.
    // Writes of about a megabyte are the quickest here; larger ones are slower again.
    static constexpr size_t kBlockChunks = 256;

    explicit CDumpWriter(CArchive& ar);
    // False when there was no memory for the blocks: nothing can be written then.
    bool IsReady() const { return m_pBlanks && m_pGathered; }
    CDumpWriter(const CDumpWriter&) = delete;
    CDumpWriter& operator=(const CDumpWriter&) = delete;

    // The chunk of the next page: its kDumpPageSize bytes, or null when it could not be read.
    // False once a write has failed (or when the writer is not ready).
    bool AddPage(const uint8_t* pageOrNull);
    // Writes the chunks still held; false when a write failed.
    bool Finish();

private:
    bool WriteBlanks();
    bool WriteGathered();

    CArchive& m_archive;
    std::unique_ptr<uint8_t[]> m_pBlanks;   // kBlockChunks blank chunks, made once
    std::unique_ptr<uint8_t[]> m_pGathered; // chunks of read pages not yet written
    size_t m_nBlanks;                       // blank chunks due before anything else
    size_t m_nGathered;
    bool m_bFailed;
};
