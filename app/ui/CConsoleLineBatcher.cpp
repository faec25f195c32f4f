#include "CConsoleLineBatcher.h"

#include "CUiWorkQueue.h"

CConsoleLineBatcher::CConsoleLineBatcher(CUiWorkQueue& queue, Sink sink)
    : m_Queue(queue), m_Sink(std::move(sink)) {}

// A new chunk queues its delivery at once; later lines join it until the
// window's thread takes it or it is full.
void CConsoleLineBatcher::Add(QString strLine) {
  std::lock_guard lock(m_Mutex);
  if (!m_pOpen || m_pOpen->size() >= kChunkLines) {
    m_pOpen = std::make_shared<Chunk>();
    m_pOpen->reserve(kChunkLines);
    m_Queue.Post([this, pChunk = m_pOpen] { Deliver(pChunk); });
  }
  m_pOpen->push_back(std::move(strLine));
}

void CConsoleLineBatcher::Deliver(const std::shared_ptr<Chunk>& pChunk) {
  Chunk lines;
  {
    std::lock_guard lock(m_Mutex);
    lines.swap(*pChunk);
    if (m_pOpen == pChunk) m_pOpen.reset();
  }
  m_Sink(std::move(lines));
}
