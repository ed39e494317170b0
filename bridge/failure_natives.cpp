// The natives of JVelWebFailure: the calling thread's failure record as a
// Java object, its count, and forgetting it.
#include <com_velmora_jvelweb_JVelWebFailure.h>

#include "bridge/failure_record.h"

namespace jvelweb {
namespace {

// A Java String of the text, or null when the record has none. False when
// the JVM could not make it (an OutOfMemoryError is then pending).
bool JavaText(JNIEnv* env, const RecordText& text, jstring& out)
{
    out = nullptr;
    if (!text.Present()) return true;
    out = env->NewString(reinterpret_cast<const jchar*>(text.units.get()), static_cast<jsize>(text.length));
    return out != nullptr;
}

}  // namespace
}  // namespace jvelweb

using namespace jvelweb;

// Calls the private constructor
// JVelWebFailure(String operation, int hresult, String message, String source, String description, int cause).
extern "C" JNIEXPORT jobject JNICALL Java_com_velmora_jvelweb_JVelWebFailure_last(JNIEnv* env, jclass failureClass)
{
    const FailureRecord* record = LastFailure();
    if (record == nullptr) return nullptr;
    const jmethodID make = env->GetMethodID(
        failureClass, "<init>", "(Ljava/lang/String;ILjava/lang/String;Ljava/lang/String;Ljava/lang/String;I)V");
    if (make == nullptr) return nullptr;
    const jstring operation = env->NewStringUTF(record->operation);
    if (operation == nullptr) return nullptr;
    jstring message, source, description;
    if (!JavaText(env, record->message, message) || !JavaText(env, record->source, source) ||
        !JavaText(env, record->description, description))
        return nullptr;
    return env->NewObject(failureClass, make, operation, static_cast<jint>(record->hresult), message, source,
                          description, static_cast<jint>(record->cause));
}

extern "C" JNIEXPORT jlong JNICALL Java_com_velmora_jvelweb_JVelWebFailure_count(JNIEnv*, jclass)
{
    return static_cast<jlong>(FailureCount());
}

extern "C" JNIEXPORT void JNICALL Java_com_velmora_jvelweb_JVelWebFailure_clear(JNIEnv*, jclass) { ClearFailures(); }
