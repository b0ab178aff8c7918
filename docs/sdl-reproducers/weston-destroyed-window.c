// SDL 2.26 with libdecor 0.1.1 on weston: the event poll after a window is
// destroyed crashes. The destroyed window's decorations still get a
// configure event, and SDL hands it to the freed window.
#include <SDL.h>
#include <SDL_opengl.h>
#include <stdio.h>

static SDL_Window *ShowWindow(Uint32 flags) {
  SDL_Window *window =
      SDL_CreateWindow("reproducer", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, 640, 480,
                       SDL_WINDOW_OPENGL | flags);
  SDL_GLContext context = SDL_GL_CreateContext(window);
  for (int frame = 0; frame < 30; ++frame) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
    glClearColor(0.2f, 0.4f, 0.2f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    SDL_GL_SwapWindow(window);
  }
  SDL_GL_DeleteContext(context);
  return window;
}

int main(void) {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    fprintf(stderr, "SDL_Init: %s\n", SDL_GetError());
    return 1;
  }
  printf("video driver: %s\n", SDL_GetCurrentVideoDriver());
  SDL_Window *first = ShowWindow(SDL_WINDOW_FULLSCREEN_DESKTOP);
  SDL_SetWindowFullscreen(first, 0);
  SDL_DestroyWindow(first);
  puts("first window destroyed; a second one polls events");
  fflush(stdout);
  SDL_DestroyWindow(ShowWindow(0)); // crashes here, in SDL_PollEvent
  puts("no crash");
  SDL_Quit();
  return 0;
}
