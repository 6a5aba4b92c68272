#include "present/notices.h"

namespace tsumiki {

void ShowNotice(Host& host, const Notice& notice) {
  host.MessageBox(notice.text, notice.title, MsgButtons::kOk, notice.icon);
}

void ShowNotices(Host& host, const Notices& notices) {
  for (const Notice& notice : notices) ShowNotice(host, notice);
}

}  // namespace tsumiki
