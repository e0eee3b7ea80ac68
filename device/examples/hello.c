/* "Hello, GP32": draws a line of text in the middle of the console's screen with a font that
 * texelsmithy-cli exported as C source (the Makefile makes hellofont.h from hello.tsm).
 *
 * Copyright (C) 2026 Velmora. Free software under the MIT licence (see ../zgfdraw.h).
 *
 * Written without the console's SDK, and so kept to what a program started by the firmware
 * can count on: the LCD already shows a 16-bit frame buffer, whose address the LCD
 * controller holds, and a stack is set up. A program built with an SDK takes the frame
 * buffer from it instead, and its start-up code replaces _start.
 */
#include "zgfdraw.h"

#include "hellofont.h" /* unsigned long arial12_zgf[]: the bytes of hello.zgf */

/* The LCD controller's first frame buffer address: bits 29-21 hold address bits 30-22, bits
   20-0 address bits 21-1. */
#define LCDSADDR1 (*(volatile uint32_t *)0x14A00014u)

static const char greeting[] = "Hello, GP32";

int main(void)
{
    uint16_t *framebuffer = (uint16_t *)(uintptr_t)((LCDSADDR1 & 0x3FFFFFFFu) << 1);
    const zgf_surface screen = zgf_gp32_screen(framebuffer);
    zgf_font font;
    int i;
    if (zgf_open(&font, arial12_zgf, sizeof arial12_zgf) != ZGF_OK)
        return 1;
    for (i = 0; i < 320 * 240; ++i)
        framebuffer[i] = 0xFFFF; /* white, low bit 1 */
    return zgf_draw_text(&font, &screen, (320 - zgf_text_width(&font, greeting)) / 2,
                         (240 - zgf_text_height(&font, greeting)) / 2, greeting);
}

/* The entry point when no start-up code is linked: the text stays on the screen. */
void _start(void)
{
    main();
    for (;;) {
    }
}
