#pragma once

#include "ui/host.h"
#include "ui/notice.h"

namespace tsumiki {

// Shows what an operation of the core returned, as a message box with an OK
// button: the one way a front end turns a Notice into something the planner reads.
void ShowNotice(Host& host, const Notice& notice);
void ShowNotices(Host& host, const Notices& notices);

}  // namespace tsumiki
