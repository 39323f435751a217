#include "view/sound/SdlAudio.h"

#include <QLibrary>

namespace {

template <typename Function>
bool Resolve(QLibrary& library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(library.resolve(name));
    return function != nullptr;
}

const TSdlAudio* Load()
{
    static TSdlAudio sdl;
#ifdef _WIN32
    QLibrary library(QStringLiteral("SDL2"));
#else
    QLibrary library(QStringLiteral("SDL2-2.0"), 0);
#endif
    // Left loaded for the rest of the run: SDL's threads live in it.
    const bool found =
        library.load() && Resolve(library, "SDL_SetHint", sdl.SetHint) &&
        Resolve(library, "SDL_GetHint", sdl.GetHint) && Resolve(library, "SDL_InitSubSystem", sdl.InitSubSystem) &&
        Resolve(library, "SDL_QuitSubSystem", sdl.QuitSubSystem) && Resolve(library, "SDL_AudioInit", sdl.AudioInit) &&
        Resolve(library, "SDL_GetNumAudioDrivers", sdl.GetNumAudioDrivers) &&
        Resolve(library, "SDL_GetAudioDriver", sdl.GetAudioDriver) &&
        Resolve(library, "SDL_GetCurrentAudioDriver", sdl.GetCurrentAudioDriver) &&
        Resolve(library, "SDL_OpenAudioDevice", sdl.OpenAudioDevice) &&
        Resolve(library, "SDL_CloseAudioDevice", sdl.CloseAudioDevice) &&
        Resolve(library, "SDL_PauseAudioDevice", sdl.PauseAudioDevice) &&
        Resolve(library, "SDL_QueueAudio", sdl.QueueAudio) &&
        Resolve(library, "SDL_ClearQueuedAudio", sdl.ClearQueuedAudio) &&
        Resolve(library, "SDL_GetQueuedAudioSize", sdl.GetQueuedAudioSize) &&
        Resolve(library, "SDL_RWFromConstMem", sdl.RWFromConstMem) &&
        Resolve(library, "SDL_LoadWAV_RW", sdl.LoadWAV_RW) && Resolve(library, "SDL_FreeWAV", sdl.FreeWAV) &&
        Resolve(library, "SDL_BuildAudioCVT", sdl.BuildAudioCVT) &&
        Resolve(library, "SDL_ConvertAudio", sdl.ConvertAudio);
    return found ? &sdl : nullptr;
}

}  // namespace

const TSdlAudio* SdlAudio()
{
    static const TSdlAudio* const sdl = Load();
    return sdl;
}
