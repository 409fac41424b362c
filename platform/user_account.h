// The account this process runs as: the name that keeps its private
// temporary base apart from other accounts', and, for the tests that check
// that another account's files are refused, the means to hand a file over.
#pragma once

#include <string>

#include "platform/io_status.h"

namespace tarnvelock {

// A name for this account that no other account on the machine has: the
// effective user id on POSIX, the user name on Windows.
std::wstring AccountId();

// Whether this process may give its files to another account (root on
// POSIX; never on Windows, where ownership is not handed over this way).
bool MayChangeOwners();

// Makes an unprivileged account of the system ("nobody") the owner of path,
// as if that account had made it.
IoStatus GiveToAnotherAccount(const std::wstring& path);

}  // namespace tarnvelock
