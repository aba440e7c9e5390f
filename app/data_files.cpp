#include "app/data_files.h"

#include <string>
#include <vector>

#include "framework/unicode.h"
#include "kit/message_box.h"
#include "player/main_form.h"
#include "settings/file_io.h"
#include "settings/program_state.h"
#include "settings/text_table.h"

namespace lc {

void ReportUnreadDataFiles(TfrmMain& Main) {
  const ProgramState& p = Program();
  std::vector<std::string> unread;
  if (p.Settings.ConfigLoadFailed) unread.push_back(p.Names.ConfigFileName);
  if (p.RmsFile.LoadFailed) unread.push_back(p.Names.RmsFileName());
  if (Main.Playlist().AutoFileUnread()) unread.push_back(p.Names.AutoPlaylistFileName());
  for (const std::string& file : unread) {
    // Closed over a report, the program ends: the rest is not shown.
    if (Main.Closed()) return;
    bool unused = false;
    ShowMessageBox(Utf8ToWide(settings::SetAsideMessage(settings::GlobalTextTable(), file)),
                   &Main, false, unused);
  }
}

}  // namespace lc
