// Versions of the plug-in and the software beneath it, and the hyperlink and
// form-content switches (a Java boolean reaches the plug-in as 0 or 1).
#include <com_velmora_jvelweb_JVelWeb.h>

#include "natives/call_frame.h"

//             slot  result    Java method = operation,         Java arguments after the receiver
JVELWEB_NATIVE( 148, jstring,  GetPluginVersion)
JVELWEB_NATIVE( 149, jstring,  GetKorrinVersion)
JVELWEB_NATIVE( 150, jstring,  GetVelAPIVersion)
JVELWEB_NATIVE( 151, jstring,  GetDXVersion)
JVELWEB_NATIVE( 152, jstring,  GetDriverVersion)
JVELWEB_NATIVE( 153, jstring,  GetTorvexVersion)
JVELWEB_NATIVE( 154, jboolean, EnableHyperlinks,                jboolean)
JVELWEB_NATIVE( 155, jboolean, GetHyperlinksEnabled)
JVELWEB_NATIVE( 156, jboolean, EnableFormContent,               jboolean)
JVELWEB_NATIVE( 157, jboolean, GetFormContentEnabled)
