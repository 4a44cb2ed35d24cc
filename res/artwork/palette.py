"""Named colours of the pop-up artwork. Change a colour here and rebuild."""

MAGENTA_KEY = (255, 0, 255)         # cut out of a button's window region

WINDOW_FRAME = (122, 141, 163)      # one-pixel outline of the pop-up
HEADER_TOP = (240, 245, 250)        # caption band, top of its gradient
HEADER_BOTTOM = (219, 229, 240)     # caption band, bottom of its gradient
HEADER_RULE = (190, 205, 222)       # line under the caption band
HEADER_GLOSS = (255, 255, 255, 150)
BODY = (255, 255, 255)
TITLE_RULE = (226, 233, 241)        # hair line under the title
FOOTER_TOP = (246, 248, 251)
FOOTER_BOTTOM = (232, 238, 245)
FOOTER_RULE = (211, 220, 231)

EMBLEM_LIGHT = (86, 155, 226)       # disc emblem beside the title
EMBLEM_DARK = (31, 96, 171)
EMBLEM_MARK = (255, 255, 255)
EMBLEM_SHADOW = (20, 50, 90, 45)
EMBLEM_GLOSS = (255, 255, 255, 60)

BUTTON_NORMAL = {"border": (138, 155, 176), "top": (253, 254, 255), "bottom": (226, 233, 241),
                 "gloss": (255, 255, 255)}
BUTTON_HOT = {"border": (74, 138, 208), "top": (255, 255, 255), "bottom": (215, 232, 250),
              "gloss": (255, 255, 255)}
BUTTON_PRESSED = {"border": (58, 111, 168), "top": (196, 214, 234), "bottom": (226, 235, 246),
                  "gloss": (176, 196, 219)}
BUTTON_DISABLED = {"border": (198, 204, 211), "top": (244, 245, 247), "bottom": (238, 240, 243),
                   "gloss": (250, 250, 251)}
BUTTON_FOCUSED = {"border": (43, 108, 184), "top": (253, 254, 255), "bottom": (226, 233, 241),
                  "gloss": (160, 198, 240)}

CLOSE_NORMAL = {"face": (212, 223, 236), "mark": (84, 100, 120)}
CLOSE_HOT = {"face": (214, 72, 64), "mark": (255, 255, 255)}
CLOSE_PRESSED = {"face": (168, 48, 42), "mark": (255, 230, 228)}

SPINNER_TRACK = (220, 229, 239)     # the ring the comet runs on
SPINNER_COMET = (47, 122, 207)      # the turning arc, fading towards its tail
SPINNER_HEAD = (120, 186, 250)
SPINNER_DISC_TOP = (48, 86, 125)    # disc behind the seconds counter
SPINNER_DISC_BOTTOM = (26, 52, 82)
SPINNER_DISC_RIM = (255, 255, 255, 210)

INFO_LIGHT = (86, 160, 232)
INFO_DARK = (28, 96, 176)
INFO_RIM = (18, 70, 140)
INFO_MARK = (255, 255, 255)
