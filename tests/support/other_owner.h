#pragma once

#include <pwd.h>
#include <sys/types.h>
#include <unistd.h>

#include <optional>
#include <string>

namespace kvt::testing {

// A user other than this process's, to own the file a test replaces.
struct OtherOwner {
  uid_t uid;
  gid_t gid;
};

// The user "nobody", when this process may give it a file: only root may. Otherwise nothing, and
// `why` says why, for the test to skip with.
inline std::optional<OtherOwner> nobody_as_owner(std::string& why) {
  if (::geteuid() != 0) {
    why = "only root can give a file to another user";
    return std::nullopt;
  }
  const passwd* nobody = ::getpwnam("nobody");
  if (nobody == nullptr) {
    why = "this machine has no user nobody";
    return std::nullopt;
  }
  return OtherOwner{nobody->pw_uid, nobody->pw_gid};
}

}  // namespace kvt::testing
