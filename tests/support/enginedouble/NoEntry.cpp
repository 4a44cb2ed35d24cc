// An engine library without its entry: the client must load it, find no GetJanvek and go on.
extern "C" int NotTheEntry()
{
    return 0;
}
