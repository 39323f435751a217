#pragma once

#include <SDL.h>

// The few SDL functions the sound effects use, looked up in SDL's shared
// library the first time sound is to play. Until then the game has neither
// loaded SDL nor the dozens of libraries SDL pulls in, which keeps start-up
// quick and small.
struct TSdlAudio {
    decltype(&SDL_SetHint) SetHint;
    decltype(&SDL_GetHint) GetHint;
    decltype(&SDL_InitSubSystem) InitSubSystem;
    decltype(&SDL_QuitSubSystem) QuitSubSystem;
    decltype(&SDL_AudioInit) AudioInit;
    decltype(&SDL_GetNumAudioDrivers) GetNumAudioDrivers;
    decltype(&SDL_GetAudioDriver) GetAudioDriver;
    decltype(&SDL_GetCurrentAudioDriver) GetCurrentAudioDriver;
    decltype(&SDL_OpenAudioDevice) OpenAudioDevice;
    decltype(&SDL_CloseAudioDevice) CloseAudioDevice;
    decltype(&SDL_PauseAudioDevice) PauseAudioDevice;
    decltype(&SDL_QueueAudio) QueueAudio;
    decltype(&SDL_ClearQueuedAudio) ClearQueuedAudio;
    decltype(&SDL_GetQueuedAudioSize) GetQueuedAudioSize;
    decltype(&SDL_RWFromConstMem) RWFromConstMem;
    decltype(&SDL_LoadWAV_RW) LoadWAV_RW;
    decltype(&SDL_FreeWAV) FreeWAV;
    decltype(&SDL_BuildAudioCVT) BuildAudioCVT;
    decltype(&SDL_ConvertAudio) ConvertAudio;
};

// SDL's functions, loaded on the first call; null where SDL's library cannot
// be loaded or lacks one of them (the game then stays silent).
const TSdlAudio* SdlAudio();
