// Applies the statements of a resource file to a model: all of them or, when
// one is refused, none.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "simulator/effects/effect_model.h"
#include "simulator/effects/resource_file.h"

namespace velsim {

// On success, loaded is the number of effects made (compounds included). A
// refusal is a BadResource naming the file and the line, and leaves the model
// unchanged.
Status ApplyResource(const std::u16string& path, const std::vector<ResourceStatement>& statements,
                     EffectModel& model, int32_t& loaded);

}  // namespace velsim
