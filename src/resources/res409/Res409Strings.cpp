// The language module for language 1033 (English): the program's numbered
// texts. A data-only shared module: the program reads the table below by
// symbol name and never calls into it.

extern "C" {

struct OrbelinText
{
    int id;
    const char* utf8;
};

// Sorted by id; the loader refuses an unsorted table.
__attribute__((visibility("default"))) extern const OrbelinText orbelin_texts[];
__attribute__((visibility("default"))) extern const int orbelin_text_count;

const OrbelinText orbelin_texts[] = {
    {121, "Edit Categories..."},
    {131, "Today"},
    {132, "Yesterday"},
    {133, "Tomorrow"},
    {249, "Unfiled"},
    {250, "Personal"},
    {251, "Business"},
    {252, "All Categories"},
};

const int orbelin_text_count = sizeof(orbelin_texts) / sizeof(orbelin_texts[0]);

} // extern "C"
