// cpp-httplib's server sets SIGPIPE to "ignore" when it is made. In a JVM that
// replaces the JVM's own handler (and -Xcheck:jni reports it), and the server
// needs neither: it sends with MSG_NOSIGNAL. This keeps the process's
// disposition across the server's construction. Windows has no SIGPIPE; the
// build picks the source file that fits the platform.
#pragma once

namespace velsim {

class KeepSignalDisposition {
public:
    KeepSignalDisposition();
    ~KeepSignalDisposition();  // puts back what was there
    KeepSignalDisposition(const KeepSignalDisposition&) = delete;
    KeepSignalDisposition& operator=(const KeepSignalDisposition&) = delete;

private:
    alignas(16) unsigned char saved_[256];  // the platform's saved action, when it has one
};

}  // namespace velsim
