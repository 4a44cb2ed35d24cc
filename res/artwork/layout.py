"""Where the dialog template puts its controls, in pixels of the 242 x 274 background.

Dialog units become pixels with the base units of the templates' font ("Microsoft Sans Serif",
8 pt) at 96 DPI: a horizontal unit is base_x / 4 pixels, a vertical one base_y / 8.
"""

BASE_X, BASE_Y = 6, 13                   # measured with that font at 96 DPI


def px_x(dlu):
    return (dlu * BASE_X + 2) // 4      # rounded as the dialog manager rounds


def px_y(dlu):
    return (dlu * BASE_Y + 4) // 8


def dlu_rect(x, y, cx, cy):
    """A template rectangle as pixel edges (left, top, right, bottom)."""
    return px_x(x), px_y(y), px_x(x) + px_x(cx), px_y(y) + px_y(cy)


WIDTH, HEIGHT = 242, 274                 # bitmap 279: the pop-up's size

CAPTION = dlu_rect(5, 6, 121, 9)         # caption line ("Lumeris")
TITLE = dlu_rect(37, 25, 121, 14)
BODY_TEXT = dlu_rect(8, 48, 149, 18)
FIRST_BUTTON = dlu_rect(12, 140, 65, 18)
SECOND_BUTTON = dlu_rect(85, 140, 65, 18)

HEADER_BOTTOM = CAPTION[3] + 8           # caption band ends a little below the caption line
FOOTER_TOP = FIRST_BUTTON[1] - 9         # footer band starts a little above the buttons
TITLE_RULE_Y = TITLE[3] + 4
EMBLEM_CENTRE = ((12 + TITLE[0]) / 2 - 2, (TITLE[1] + TITLE[3]) / 2)
EMBLEM_RADIUS = 15

BUTTON_FRAME = (18, 21)                  # one state of the push-button strip
CLOSE_FRAME = (39, 17)                   # one state of the close-button strip
ICON_SIZE = (85, 84)                     # one frame of the countdown animation
SPINNER_FRAMES = 23
