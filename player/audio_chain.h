// The audio processing components of the video window and their answers to
// the audio filter: every decoded PCM or floating-point buffer runs, in
// place and in this order, through the automatic gain, the amplifier and
// the equalizer; a flush or a stop of the stream clears the equalizer's
// overlap, so no sound from before a seek reaches the first buffer after.
//
// Threads: the components are created and set on the GUI thread, which also
// changes their parameters at any time (they are atomics); the buffer
// handler runs on the streaming thread inside the audio component's lock,
// the flush handler on the flushing thread. Neither touches a window.
#pragma once

#include "engine/dsp/audio_processor.h"
#include "engine/dsp/dsp_settings.h"
#include "engine/graph/filter_graph.h"

class TAudioChain {
 public:
  // The components as the video window holds them: the equalizer on a
  // 2,048-point spectrum, amplifier on, automatic gain off, processing on;
  // the audio filter joins every graph Graph builds from now on.
  explicit TAudioChain(TFilterGraph& Graph);
  ~TAudioChain();
  TAudioChain(const TAudioChain&) = delete;
  TAudioChain& operator=(const TAudioChain&) = delete;

  // Each also answers the interface query with its settings interface.
  TDspEqualizerComponent DspEqualizer;
  TDspAmplifyComponent DspAmplify;
  TDspDynamicAmplifyComponent DspDynamicAmplify;
  TDSAudioProcessor DSAudioProcessor{L"DSAudioProcessor"};

  // TfrmVideoWindow.DSAudioProcessorPCMData (streaming thread).
  void PCMData(void* Buffer, int Size, int& NewSize, PDSStream Stream);
  // TfrmVideoWindow.DSAudioProcessorFlush.
  void Flush();
};
