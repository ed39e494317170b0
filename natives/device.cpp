// Device, screen and cursor: positions, flag, last error, type, technology
// and product name. None takes an argument; GetLastError is the plug-in's
// own error code, not the thread's system error.
#include <com_velmora_jvelweb_JVelWeb.h>

#include "natives/call_frame.h"

//             slot  result    Java method = operation,         Java arguments after the receiver
JVELWEB_NATIVE(  47, jboolean, VibronaDeviceAttached)
JVELWEB_NATIVE(  57, jint,     GetScreenPosX)
JVELWEB_NATIVE(  58, jint,     GetScreenPosY)
JVELWEB_NATIVE(  59, jint,     GetDevicePosX)
JVELWEB_NATIVE(  60, jint,     GetDevicePosY)
JVELWEB_NATIVE(  62, jint,     GetDeviceFlag)
JVELWEB_NATIVE(  63, jint,     GetLastError)
JVELWEB_NATIVE( 143, jint,     GetDeviceType)
JVELWEB_NATIVE( 144, jint,     GetDeviceTechnology)
JVELWEB_NATIVE( 145, jstring,  GetDeviceTypeName)
JVELWEB_NATIVE( 146, jstring,  GetDeviceTechnologyName)
JVELWEB_NATIVE( 147, jstring,  GetDeviceProductName)
JVELWEB_NATIVE( 158, jint,     GetCursorPosX)
JVELWEB_NATIVE( 159, jint,     GetCursorPosY)
