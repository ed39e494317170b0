// Creation: an effect of one of the eleven kinds under a name the Java caller
// chooses. The name-only kinds pass no int; the others pass one, unchanged.
#include <com_velmora_jvelweb_JVelWeb.h>

#include "natives/call_frame.h"

//             slot  result    Java method = operation,         Java arguments after the receiver
JVELWEB_NATIVE(  12, jboolean, MakeConstant,                    jstring)
JVELWEB_NATIVE(  14, jboolean, MakeEllipse,                     jstring)
JVELWEB_NATIVE(  15, jboolean, MakeEnclosure,                   jstring)
JVELWEB_NATIVE(  20, jboolean, MakeRamp,                        jstring)
JVELWEB_NATIVE(  22, jboolean, MakeTexture,                     jstring, jint)
JVELWEB_NATIVE(  49, jboolean, MakeDamper,                      jstring, jint)
JVELWEB_NATIVE(  50, jboolean, MakeFriction,                    jstring, jint)
JVELWEB_NATIVE(  51, jboolean, MakeInertia,                     jstring, jint)
JVELWEB_NATIVE(  52, jboolean, MakeSpring,                      jstring, jint)
JVELWEB_NATIVE(  64, jboolean, MakePeriodic,                    jstring, jint)
JVELWEB_NATIVE( 160, jboolean, MakeGrid,                        jstring, jint)
