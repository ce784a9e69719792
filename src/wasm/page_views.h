// The browser edition's requests for what it shows of a conversion: the results table, the graph's values,
// the comparison with a baseline and the printed report's texts (page_views.cpp).
#pragma once

#include <optional>
#include <string>

#include <nlohmann/json.hpp>

namespace tessaroven {

// The answer to the request named what ("views", "baseline", "tolerance"), or nothing when what is none of
// these requests.
std::optional<nlohmann::json> PageViewsAnswer(const std::string& what, const nlohmann::json& request);

}  // namespace tessaroven
