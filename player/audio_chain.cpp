#include "player/audio_chain.h"

TAudioChain::TAudioChain(TFilterGraph& Graph) {
  DspEqualizer.SetFFTSize(TDspFFTSize::fts2048);
  DspEqualizer.SetSampleSize(8192);
  DspEqualizer.SetEnabled(true);
  DspAmplify.SetSampleSize(8192);
  DspAmplify.SetEnabled(true);
  DspDynamicAmplify.SetSampleSize(8192);
  DspDynamicAmplify.SetAttackTime(1000);
  DspDynamicAmplify.SetReleaseTime(3000);
  DspDynamicAmplify.SetMaxAmplification(7500);
  DspDynamicAmplify.SetEnabled(false);
  DSAudioProcessor.OnPCMData = [this](TDSAudioProcessor*, void* Buffer, int Size, int& NewSize,
                                      PDSStream Stream) { PCMData(Buffer, Size, NewSize, Stream); };
  DSAudioProcessor.OnFlush = [this](TDSAudioProcessor*) { Flush(); };
  DSAudioProcessor.SetDSPEnabled(true);
  DSAudioProcessor.SetFilterGraph(&Graph);
}

TAudioChain::~TAudioChain() { DSAudioProcessor.SetFilterGraph(nullptr); }

void TAudioChain::PCMData(void* Buffer, int Size, int& NewSize, PDSStream Stream) {
  NewSize = Size;
  const auto Bytes = static_cast<size_t>(NewSize);
  const bool Float = Stream->Float != 0;
  DspDynamicAmplify.Process(Buffer, Bytes, Stream->Frequency, Stream->Bits, Stream->Channels, Float);
  DspAmplify.Process(Buffer, Bytes, Stream->Bits, Stream->Channels, Float);
  DspEqualizer.Process(Buffer, Bytes, Stream->Bits, Stream->Channels, Float);
}

void TAudioChain::Flush() { DspEqualizer.Flush(); }
