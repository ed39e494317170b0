// Playback: open a force resource, start and stop named effects, stop them
// all, and ask whether an effect exists.
#include <com_velmora_jvelweb_JVelWeb.h>

#include "natives/call_frame.h"

//             slot  result    Java method = operation,         Java arguments after the receiver
JVELWEB_NATIVE(   7, jint,     OpenForceResource,               jstring)
JVELWEB_NATIVE(   8, jboolean, StartEffect,                     jstring, jint)
JVELWEB_NATIVE(   9, jboolean, StartEffect2,                    jstring, jint, jint, jint)
JVELWEB_NATIVE(  10, jboolean, StopEffect,                      jstring, jint)
JVELWEB_NATIVE(  11, jboolean, StopEffects)
JVELWEB_NATIVE( 142, jboolean, EffectExists,                    jstring, jint)
