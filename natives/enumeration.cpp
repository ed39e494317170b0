// Enumeration and introspection: count and name the effects and the members
// of compound effects, name an effect's type, and ask which parameters an
// effect supports (EffectSupportsGet/Change read their two Strings in order).
#include <com_velmora_jvelweb_JVelWeb.h>

#include "natives/call_frame.h"

//             slot  result    Java method = operation,         Java arguments after the receiver
JVELWEB_NATIVE(  55, jint,     GetNumberOfEffects,              jint)
JVELWEB_NATIVE(  56, jstring,  GetNameOfEffect,                 jint, jint)
JVELWEB_NATIVE(  93, jstring,  GetEffectTypeName,               jstring, jint)
JVELWEB_NATIVE( 107, jint,     GetNumberOfEffectsInCompound,    jstring, jint)
JVELWEB_NATIVE( 108, jstring,  GetNameOfEffectInCompound,       jstring, jint, jint)
JVELWEB_NATIVE( 140, jboolean, EffectSupportsGet,               jstring, jint, jstring)
JVELWEB_NATIVE( 141, jboolean, EffectSupportsChange,            jstring, jint, jstring)
