#pragma once
// What the SDL-side modules of the platform layer share about the one window.
// Nothing outside src/platform/ includes this.

#include <SDL.h>

#include <cstdint>

SDL_Window* GraphicsWindow();       // null when no window is open
SDL_Renderer* GraphicsRenderer();   // null when no window is open
uint32_t GraphicsWindowId();        // 0 when no window is open
// Counts the renderers made so far; a texture remembers the one it belongs to
// so it is never destroyed after its renderer went.
uint32_t RendererGeneration();

// Starts SDL's video and event handling once; false when that fails.
bool InitVideo();
// Brings drawing and input state back to their initial values for a new window.
void ResetDrawingState();
void ResetInputState();
