#include "OSGLog.h"

#include <algorithm>
#include <iostream>

namespace osg {

namespace {

const char* levelName(LogLevel level) {
    switch (level) {
    case LOG_LOG:
        return "LOG";
    case LOG_FATAL:
        return "FATAL";
    case LOG_WARNING:
        return "WARNING";
    case LOG_NOTICE:
        return "NOTICE";
    case LOG_INFO:
        return "INFO";
    case LOG_DEBUG:
        return "DEBUG";
    }
    return "?";
}

} // namespace

Log::Log() = default;

bool Log::checkModule(const char* module) const {
    return module != nullptr;
}

std::ostream& Log::doHeader(LogLevel level, const char* module, const char* file, UInt32 line) {
    std::lock_guard<std::recursive_mutex> guard(_mutex);
    flushEntry();
    // Text streamed outside an entry belongs to none.
    _text.str({});
    _text.clear();
    _current = LogEntry{level, module ? module : "", file ? file : "", line, {}};
    _pending = true;
    return _text;
}

void Log::lock() {
    _mutex.lock();
    ++_lockDepth;
}

void Log::unlock() {
    if (_lockDepth == 1)
        flushEntry();
    if (_lockDepth > 0)
        --_lockDepth;
    _mutex.unlock();
}

void Log::flushEntry() {
    std::lock_guard<std::recursive_mutex> guard(_mutex);
    if (!_pending)
        return;
    _pending = false;
    _current.text = _text.str();
    _text.str({});
    _text.clear();
    deliver(_current);
}

void Log::deliver(const LogEntry& entry) {
    if (!_captures.empty()) {
        _captures.back()->_entries.push_back(entry);
        return;
    }
    if (entry.level > _level)
        return;
    std::cerr << levelName(entry.level) << " (" << entry.module << ") " << entry.file << ":"
              << entry.line << ": " << entry.text;
    std::cerr.flush();
}

Log& osgLog() {
    // Never destroyed: static destructors of other libraries may still log.
    static Log* log = new Log;
    return *log;
}

LogCapture::LogCapture() {
    Log& log = osgLog();
    std::lock_guard<std::recursive_mutex> guard(log._mutex);
    log.flushEntry();
    log._captures.push_back(this);
}

LogCapture::~LogCapture() {
    Log& log = osgLog();
    std::lock_guard<std::recursive_mutex> guard(log._mutex);
    log.flushEntry();
    auto it = std::find(log._captures.begin(), log._captures.end(), this);
    if (it != log._captures.end())
        log._captures.erase(it);
}

const std::vector<LogEntry>& LogCapture::entries() {
    osgLog().flushEntry();
    return _entries;
}

void LogCapture::clear() {
    osgLog().flushEntry();
    _entries.clear();
}

} // namespace osg
