#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace switchsim::trace {

/// Reads an environment variable: its value, or nullptr when it is not set.
using EnvironmentLookup = std::function<const char*(const char*)>;

/// The language the environment asks for, as gettext's programs read it:
/// the locale of messages is the first set of LC_ALL, LC_MESSAGES and LANG;
/// when it is "C" or "POSIX", or none is set, English; otherwise the first
/// entry of LANGUAGE's colon-separated list that names a language switchsim
/// speaks, then the locale itself, then English.
std::string LanguageOfEnvironment(const EnvironmentLookup& lookup);

/// The language the driver's texts are in: --lang's, else the
/// environment's. A --lang that names no language gives the environment's,
/// so that the refusal of it is said in that.
std::string DriverLanguage(const std::vector<std::string>& args, const EnvironmentLookup& lookup);

}  // namespace switchsim::trace
