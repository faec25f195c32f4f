#include "CCGenericThread.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cwchar>
#include <system_error>

// Everything the running thread uses. The thread holds its own reference, so
// the block outlives a wrapper that is destroyed while the procedure runs.
struct CCGenericThread::ThreadState {
  ThreadProc pfnThread = nullptr;
  void* pParam = nullptr;
  std::uintptr_t uOwner = 0;  // the wrapper's address, for trace lines only
  std::atomic<BOOL> bRunning{0};
  CZqEvent hEnded;  // set as the thread's last act
  CZqDebug debug;
};

namespace {

constexpr std::chrono::milliseconds kKillBound{3000};
constexpr std::chrono::milliseconds kKillWaitStep{2000};

std::wstring FormatTrace(const wchar_t* szFormat, const wchar_t* szStep, std::uintptr_t uAddress) {
  wchar_t szLine[256];
  std::swprintf(szLine, sizeof szLine / sizeof szLine[0], szFormat, szStep,
                static_cast<unsigned long long>(uAddress));
  return szLine;
}

const wchar_t kTraceFormat[] = L"\n%ls pCCGenericThread: 0x08%llX";

}  // namespace

CCGenericThread::CCGenericThread() = default;

CCGenericThread::~CCGenericThread() {
  if (IsRunning()) {
    KillThread();
  }
  if (m_pThread && m_pThread->joinable()) {
    // Still running after the bounded wait: let it finish on its own state.
    if (m_pState && m_pState->hEnded.IsSet()) {
      m_pThread->join();
    } else {
      m_pThread->detach();
    }
  }
}

void CCGenericThread::Trace(const wchar_t* szStep) {
  m_strTrace = FormatTrace(kTraceFormat, szStep, reinterpret_cast<std::uintptr_t>(this));
  m_Debug.Output(m_strTrace);
}

BOOL CCGenericThread::IsRunning() const {
  return m_pState ? m_pState->bRunning.load() : 0;
}

bool CCGenericThread::WaitForExit(std::chrono::milliseconds timeout) const {
  return !m_pState || m_pState->hEnded.Wait(timeout);
}

BOOL CCGenericThread::StartThread() {
  Trace(L"     CCGenericThread::StartThread(..) Begin");
  if (!IsRunning() && !CreateThread()) {
    Trace(L"     CCGenericThread::StartThread(..) End NOTOK");
    return 0;
  }
  Trace(L"     CCGenericThread::StartThread(..) End OK");
  return 1;
}

BOOL CCGenericThread::CreateThread() {
  Trace(L"     CCGenericThread::CreateThread(..) Begin");
  ReleaseFinishedThread();
  m_hEvent.Reset();
  m_hStopEvent.Reset();
  m_hPauseEvent.Reset();
  m_hResumeEvent.Reset();

  auto pState = std::make_shared<ThreadState>();
  pState->pfnThread = m_pfnThread;
  pState->pParam = m_pParam;
  pState->uOwner = reinterpret_cast<std::uintptr_t>(this);
  // Marked running before the thread exists, so that a procedure returning at
  // once cannot have its "ended" overwritten.
  pState->bRunning = 1;
  try {
    m_pThread = std::make_unique<std::thread>(&CCGenericThread::ThreadStartFunction, pState);
  } catch (const std::system_error&) {
    Trace(L"     CCGenericThread::CreateThread(..) End NOTOK");
    return 0;
  }
  Trace(L"     CCGenericThread::CreateThread(..) AfxBeginThread Call Done");
  m_pState = std::move(pState);
  Trace(L"     CCGenericThread::CreateThread(..) End OK");
  return 1;
}

void CCGenericThread::ThreadStartFunction(std::shared_ptr<ThreadState> pState) {
  ThreadState* pLocal = pState.get();
  const auto uLocal = reinterpret_cast<std::uintptr_t>(&pLocal);
  const wchar_t* szBegin = L"     CCGenericThread::ThreadStartFunction(..) Begin";
  pState->debug.Output(FormatTrace(kTraceFormat, szBegin, pState->uOwner));
  pState->debug.Output(FormatTrace(L"\n%ls &pCCGenericThread: 0x08%llX", szBegin, uLocal));

  StartFunction(*pState);

  const wchar_t* szEnd = L"     CCGenericThread::ThreadStartFunction(..) End";
  pState->debug.Output(FormatTrace(kTraceFormat, szEnd, pState->uOwner));
  pState->debug.Output(FormatTrace(L"\n%ls &pCCGenericThread: 0x08%llX\n", szEnd, uLocal));
  pState->bRunning = 0;
  pState->hEnded.Set();
}

void CCGenericThread::StartFunction(ThreadState& state) {
  const wchar_t* szBegin = L"     CCGenericThread::StartFunction(..) Begin";
  state.debug.Output(FormatTrace(kTraceFormat, szBegin, state.uOwner));
  if (state.pfnThread != nullptr && state.pParam != nullptr) {
    state.pfnThread(state.pParam);
  }
  const wchar_t* szEnd = L"     CCGenericThread::StartFunction(..) End";
  state.debug.Output(FormatTrace(kTraceFormat, szEnd, state.uOwner));
}

// Joins a thread whose procedure has returned, so that a new one can start.
void CCGenericThread::ReleaseFinishedThread() {
  if (m_pThread && m_pThread->joinable()) {
    m_pThread->join();
  }
  m_pThread.reset();
  m_pState.reset();
}

void CCGenericThread::KillThread() {
  Trace(L"     CCGenericThread::KillThread(..) Begin");
  if (!m_pThread) {
    Trace(L"     CCGenericThread::KillThread(..) End OK");
    return;
  }
  if (m_pfnKillHelper != nullptr && m_pParam != nullptr) {
    Trace(L"     CCGenericThread::KillThread(..) Exec Helper Kill Thread Function");
    m_pfnKillHelper(m_pParam);
    Trace(L"     CCGenericThread::KillThread(..) End Helper Kill Thread Function");
  }
  m_hStopEvent.Set();
  if (WaitForProcedure()) {
    ReleaseFinishedThread();
  }
  Trace(L"     CCGenericThread::KillThread(..) End OK");
}

// Waits in steps of at most 2 s, about 3 s in all; true when the procedure
// returned.
bool CCGenericThread::WaitForProcedure() {
  const auto deadline = std::chrono::steady_clock::now() + kKillBound;
  for (;;) {
    const auto remaining = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    const bool bEnded = m_pState->hEnded.Wait(std::min(kKillWaitStep, remaining));
    Trace(L"     CCGenericThread::KillThread(..) Waiting To Kill");
    if (bEnded) {
      return true;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      Trace(L"     CCGenericThread::KillThread(..) Thread Already Dead");
      return false;
    }
  }
}
