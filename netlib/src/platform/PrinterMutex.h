#pragma once
// The lock that serialises exchanges with one printer across threads and
// processes: a lock file per name, taken with flock(). Waiting is bounded by
// a deadline and woken by inotify whenever a user of the file closes it — a
// holder releases by closing, and a holder that dies is closed by the kernel.
//
// Files live in CORVANE_LOCK_DIR when set, else /run/lock when writable, else
// $XDG_RUNTIME_DIR, else /tmp, named "corvane-<name>.lock" with every
// character but letters, digits and ". ; _ -" percent-encoded. A holder
// marks the file while it holds it (when it may write it), so that the next
// one can tell that the previous holder died holding it: the counterpart of
// an abandoned mutex.
#include <corvane/CorvaneTypes.h>

#include <memory>
#include <string>

#include "platform/SocketHandle.h"

namespace corvane::detail {

class PrinterMutex {
 public:
  enum class Wait { kObtained, kTimedOut, kAbandoned, kFailed };

  static constexpr DWORD kErrorTimeout = 258;     // the wait's time ran out
  static constexpr DWORD kErrorAbandoned = 735;   // the holder died holding it

  // Opens the lock file of strName, creating it when needed (bExisted tells
  // which). Null with dwError set when it cannot be opened.
  static std::unique_ptr<PrinterMutex> Open(const std::wstring& strName, bool& bExisted,
                                            DWORD& dwError);
  ~PrinterMutex();
  PrinterMutex(const PrinterMutex&) = delete;
  PrinterMutex& operator=(const PrinterMutex&) = delete;

  // Waits at most dwTimeoutMs. kAbandoned: obtained from a holder that died,
  // and given up again at once. dwError is set on every outcome but kObtained.
  Wait Acquire(DWORD dwTimeoutMs, DWORD& dwError);
  // Gives the lock up and closes the file: waiters wake.
  void Release();
  int Handle() const { return m_fd.Get(); }

  static std::string Directory();
  static std::string FileName(const std::wstring& strName);

 private:
  PrinterMutex(platform::SocketHandle fd, std::string strPath, bool bWritable);
  bool TryLock();
  bool TakeOver();  // marks the file held; false when the last holder died
  Wait WaitForClose(DWORD dwTimeoutMs, DWORD& dwError);

  platform::SocketHandle m_fd;
  std::string m_strPath;
  bool m_bWritable = false;
  bool m_bHeld = false;
};

}  // namespace corvane::detail
