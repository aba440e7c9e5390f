#include "app/data_files.h"

#include <string>

#include "framework/unicode.h"
#include "kit/message_box.h"
#include "player/main_form.h"
#include "settings/program_state.h"
#include "settings/text_table.h"
#include "settings/unread_file.h"

namespace lc {

namespace {

settings::UnreadFile KeepAndTell(const std::string& path, std::string& text) {
  return settings::KeepAsideAndTell(settings::GlobalTextTable(), path, text);
}

}  // namespace

void ReportUnreadDataFiles(TfrmMain& Main) {
  // Closed meanwhile, the program has saved and ends.
  if (Main.Closed()) return;
  ProgramState& p = Program();
  std::string text;
  if (p.Settings.ConfigUnread == settings::UnreadFile::NotTold)
    p.Settings.ConfigUnread = KeepAndTell(p.Names.ConfigFileName, text);
  if (p.RmsFile.Unread == settings::UnreadFile::NotTold) p.RmsFile.Unread = KeepAndTell(p.Names.RmsFileName(), text);
  if (Main.Playlist().AutoFileUnread() &&
      KeepAndTell(p.Names.AutoPlaylistFileName(), text) == settings::UnreadFile::None)
    Main.Playlist().AutoFileKeptAside();
  if (text.empty()) return;
  bool unused = false;
  ShowMessageBox(Utf8ToWide(text), &Main, false, unused);
}

}  // namespace lc
