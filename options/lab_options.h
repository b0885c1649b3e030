#pragma once

#include <optional>
#include <string>

#include "queueing/queue_setting.h"
#include "sharing/share_setting.h"

namespace switchsim {

struct RunRequest;
enum class FrontEnd : unsigned;

/// The values of the labs' options, each read as the option table reads
/// its rows: it sets its part of `request` and returns nothing, or returns
/// one line naming the value and what is allowed. What a value means with
/// the others (a user rate above the link's, say) is checked once all are
/// read, by LabRefusal.
std::optional<std::string> SetUsers(const std::string& value, RunRequest& request);
std::optional<std::string> SetActive(const std::string& value, RunRequest& request);
std::optional<std::string> SetUserRate(const std::string& value, RunRequest& request);
std::optional<std::string> SetLinkRate(const std::string& value, RunRequest& request);
std::optional<std::string> SetBurst(const std::string& value, RunRequest& request);
std::optional<std::string> SetSlots(const std::string& value, RunRequest& request);
std::optional<std::string> SetIntensity(const std::string& value, RunRequest& request);
std::optional<std::string> SetBuffer(const std::string& value, RunRequest& request);
std::optional<std::string> SetPackets(const std::string& value, RunRequest& request);

/// The first problem of the labs' options given: an option of a lab without
/// its lab (users without share), a lab with options of the form's run
/// (technique with share), both labs, or a setting the lab cannot run
/// (ShareRefusal, QueueRefusal). Said as `front_end` names its options:
/// "--users: goes with --share, which was not given" on a command line,
/// "The link's users: goes with share, which was not given" for a page;
/// nothing when there is none.
std::optional<std::string> LabRefusal(const RunRequest& request, FrontEnd front_end);

}  // namespace switchsim
