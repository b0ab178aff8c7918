// SDL 2.26 on mutter: showing the cursor, hidden while the window was
// fullscreen, once the window has left fullscreen crashes in
// wl_proxy_get_version(NULL) inside SDL_ShowCursor.
#include <SDL.h>
#include <SDL_opengl.h>
#include <stdio.h>

static void DrawFrames(SDL_Window *window, int count) {
  for (int frame = 0; frame < count; ++frame) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
    glClearColor(0.2f, 0.2f, 0.4f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    SDL_GL_SwapWindow(window);
  }
}

int main(void) {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    fprintf(stderr, "SDL_Init: %s\n", SDL_GetError());
    return 1;
  }
  printf("video driver: %s\n", SDL_GetCurrentVideoDriver());
  SDL_Window *window =
      SDL_CreateWindow("reproducer", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, 640, 480,
                       SDL_WINDOW_OPENGL | SDL_WINDOW_FULLSCREEN_DESKTOP);
  SDL_GLContext context = SDL_GL_CreateContext(window);
  SDL_ShowCursor(SDL_DISABLE);
  DrawFrames(window, 30);
  SDL_SetWindowFullscreen(window, 0);
  puts("left fullscreen; showing the cursor");
  fflush(stdout);
  SDL_ShowCursor(SDL_ENABLE); // crashes here
  DrawFrames(window, 30);
  puts("no crash");
  SDL_GL_DeleteContext(context);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
