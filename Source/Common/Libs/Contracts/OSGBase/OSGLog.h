#ifndef OSG_LOG_H
#define OSG_LOG_H

#include "OSGBaseTypes.h"

#include <mutex>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace osg {

/// Severity of a log entry; lower is more severe. Entries above the log's
/// level are dropped from the console but still reach captures.
enum LogLevel : Int32 {
    LOG_LOG = 0,
    LOG_FATAL = 1,
    LOG_WARNING = 2,
    LOG_NOTICE = 3,
    LOG_INFO = 4,
    LOG_DEBUG = 5,
};

/// One finished entry as the log received it: header data and the raw text
/// that followed the header, line ends included.
struct LogEntry {
    LogLevel level = LOG_LOG;
    std::string module;
    std::string file;
    UInt32 line = 0;
    std::string text;
};

class LogCapture;

/// The scene graph's log. An entry starts with `doHeader` and collects all
/// text streamed until the next header or until the outermost `unlock`.
class Log {
public:
    Log();
    Log(const Log&) = delete;
    Log& operator=(const Log&) = delete;

    /// True when entries of `module` are wanted (all modules are, by default).
    bool checkModule(const char* module) const;

    /// Starts a new entry and returns the stream that takes its text.
    std::ostream& doHeader(LogLevel level, const char* module, const char* file, UInt32 line);

    /// Recursive; the outermost unlock finishes the pending entry.
    void lock();
    void unlock();

    /// Console threshold: entries with a level above it are not printed.
    void setLogLevel(LogLevel level) { _level = level; }
    LogLevel getLogLevel() const { return _level; }

    /// Finishes the pending entry, if any.
    void flushEntry();

private:
    friend class LogCapture;

    void deliver(const LogEntry& entry);

    std::recursive_mutex _mutex;
    UInt32 _lockDepth = 0;
    LogLevel _level = LOG_WARNING;
    bool _pending = false;
    LogEntry _current;
    std::ostringstream _text;
    std::vector<LogCapture*> _captures;
};

/// The process-wide log.
Log& osgLog();

/// Records every entry finished during its lifetime; while one exists the
/// console stays quiet. Captures nest: the innermost receives the entries.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    const std::vector<LogEntry>& entries();
    void clear();

private:
    friend class Log;
    std::vector<LogEntry> _entries;
};

} // namespace osg

#endif
