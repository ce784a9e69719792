// The browser edition's requests for what it keeps beside the readings: the conversion model, the measuring
// conditions, the two uncertainties and the centre spectrum (page_inputs.cpp).
#pragma once

#include <optional>
#include <string>

#include <nlohmann/json.hpp>

namespace tessaroven {

// The answer to the request named what, or nothing when what is none of these requests.
std::optional<nlohmann::json> PageInputsAnswer(const std::string& what, const nlohmann::json& request);

}  // namespace tessaroven
