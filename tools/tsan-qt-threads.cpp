// Preloaded into the test programs by tools/tsan.sh: Qt's global thread pool is reported missing,
// so that Qt Gui converts, scales and fills images on the calling thread instead of handing parts
// to pooled threads. Qt is not instrumented: the sanitizer sees the pooled threads' memory but not
// the locks that order it, and cannot name their functions to suppress them. No code of ours runs
// on those threads.
class QThreadPool {
 public:
  static QThreadPool* globalInstance();
};

QThreadPool* QThreadPool::globalInstance() { return nullptr; }
