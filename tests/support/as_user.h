// Runs part of a test with the rights of an ordinary user. Permissions do
// not stop root, and CI runs the tests as root, so a test that needs a
// read-only file or folder to be respected runs that part in a child
// process that, when the tests run as root, becomes the user "nobody"
// (uid and gid 65534).
#pragma once

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <system_error>

#include "tests/support/test_env.h"

namespace testenv {

// The child's results besides what `body` returns.
constexpr int kNoFolder = 124;   // the child could not enter `tree`
constexpr int kNoDropping = 125;  // the child could not give up root

// Runs `body` in a child process whose current folder is `tree` and
// returns what it returned (-1 when the child did not end normally).
// As root, `tree` and everything in it is first handed to the ordinary
// user and the folders from the test root down to it are made searchable,
// so that the child reaches `tree` by its full path too and meets the
// permissions a player would. `body` must not use gtest assertions: the
// child's checks reach the parent only through its result.
inline int RunAsOrdinaryUser(const std::string& tree, const std::function<int()>& body) {
  namespace fs = std::filesystem;
  constexpr uid_t kNobody = 65534;
  const bool root = geteuid() == 0;
  if (root) {
    std::error_code ec;
    for (fs::path p = tree; !p.empty() && p.string().size() >= Root().size(); p = p.parent_path()) {
      fs::permissions(p, fs::perms::others_exec, fs::perm_options::add, ec);
      if (p == p.parent_path()) break;
    }
    (void)lchown(tree.c_str(), kNobody, kNobody);
    for (auto it = fs::recursive_directory_iterator(tree, ec); it != fs::recursive_directory_iterator();
         it.increment(ec))
      (void)lchown(it->path().c_str(), kNobody, kNobody);
  }
  const pid_t pid = fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    if (chdir(tree.c_str()) != 0) _exit(kNoFolder);
    if (root && (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)) _exit(kNoDropping);
    _exit(body());
  }
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace testenv
