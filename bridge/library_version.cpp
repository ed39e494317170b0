// The library's version, which the Java loader compares with its jar's, so a
// jar never runs against the natives of another release. It is the project's
// version, given by the build.
#include <com_velmora_jvelweb_JVelWebLoader.h>

#ifndef JVELWEB_VERSION
#error "the build defines JVELWEB_VERSION"
#endif

// NewStringUTF leaves OutOfMemoryError pending and returns null when the JVM
// cannot allocate; nothing here can throw.
extern "C" JNIEXPORT jstring JNICALL Java_com_velmora_jvelweb_JVelWebLoader_nativeVersion(JNIEnv* env, jclass)
{
    return env->NewStringUTF(JVELWEB_VERSION);
}
