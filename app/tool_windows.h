// The long-lived tool windows in the running program: the equalizer and
// the colour control are created after the main and video windows, told
// what they need of the player, and exchange their values with the
// settings. GUI thread only.
#pragma once

class TPlaybackLink;

namespace lc {

namespace settings {
struct SettingsStore;
}

// Playback as the tool windows see it: the graph of the video window and
// the main window's current commands.
TPlaybackLink& ToolPlayback();
// Creates frmEqualizer (over the video window's audio chain) and
// frmColorControl and hands them to the main window as satellites.
void CreateToolWindows();
// The equalizer's sliders from EqualizerSettings (a settings file was
// read): the pre-amplification always, the bands the file gave.
void ApplyEqualizerSettings(const settings::SettingsStore& Store);
// The colour sliders and the equalizer's place from the settings.
void SettingsIntoToolWindows(const settings::SettingsStore& Store);
// The tool windows' live values into the settings before they are saved;
// whether the equalizer is shown only once the windows of the last run
// were shown (`WindowsShown`).
void GatherToolWindowValues(settings::SettingsStore& Store, bool WindowsShown);

}  // namespace lc
