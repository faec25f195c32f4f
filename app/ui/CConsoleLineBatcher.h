#pragma once
// Debug-console lines from any thread, handed to the window's thread in
// chunks: one work item of the queue carries up to kChunkLines lines, so a
// burst of lines costs the window one model insertion per chunk rather than
// a queued call, a model insertion and a view update per line. Lines keep
// the order in which they were added.
#include <QString>

#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class CUiWorkQueue;

class CConsoleLineBatcher {
 public:
  using Sink = std::function<void(std::vector<QString>)>;
  static constexpr std::size_t kChunkLines = 256;

  // The sink runs on the window's thread, once per chunk.
  CConsoleLineBatcher(CUiWorkQueue& queue, Sink sink);

  // Any thread.
  void Add(QString strLine);

 private:
  using Chunk = std::vector<QString>;
  void Deliver(const std::shared_ptr<Chunk>& pChunk);

  CUiWorkQueue& m_Queue;
  Sink m_Sink;
  std::mutex m_Mutex;
  std::shared_ptr<Chunk> m_pOpen;  // the chunk lines join until it is taken or full
};
