// A device frame as the JSON text of one server-sent event, for the page:
//   {"t":ms,"screen":[w,h],"hand":[x,y],"handle":[x,y],"force":[x,y],
//    "effects":[{"name":..,"kind":"Enclosure","phase":"playing",
//                "force":[x,y],"shape":[6 integers]}, ...]}
// Names keep every character: anything outside printable ASCII is written as
// \uXXXX escapes of its UTF-16 units, which JSON reads back exactly.
#pragma once

#include <string>

#include "simulator/device/device_frame.h"

namespace velsim {

const char* PhaseName(EffectPhase phase);

void AppendJsonString(std::string& out, const std::u16string& text);

std::string FrameJson(const DeviceFrame& frame);

}  // namespace velsim
