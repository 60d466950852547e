/* The reference regular-expression library on the benchmark corpus: for each
 * pattern, finds the first match in every line (as the editor's search does,
 * line by line) and prints its throughput.
 *
 *   onig_search FILE NAME OPTION PATTERN [NAME OPTION PATTERN ...]
 *
 * OPTION is "i" for a caseless pattern, "-" otherwise. Patterns are Shift-JIS
 * bytes. Output, one line per pattern: NAME MB/s matching-lines, in processor
 * time (the best of three), so other work on the machine does not count. */
#include <oniguruma.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static double Now(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

static char* ReadAll(const char* path, size_t* pSize)
{
    FILE* f = fopen(path, "rb");
    if (!f)
        return NULL;
    fseek(f, 0, SEEK_END);
    long size = ftell(f);
    fseek(f, 0, SEEK_SET);
    char* data = malloc((size_t)size + 1);
    if (!data || fread(data, 1, (size_t)size, f) != (size_t)size) {
        fclose(f);
        free(data);
        return NULL;
    }
    fclose(f);
    data[size] = 0;
    *pSize = (size_t)size;
    return data;
}

/* Matching lines, each line searched from its start to its end (CR LF excluded). */
static long Scan(regex_t* reg, OnigRegion* region, const unsigned char* data, size_t size)
{
    long hits = 0;
    const unsigned char* p = data;
    const unsigned char* end = data + size;
    while (p < end) {
        const unsigned char* nl = memchr(p, '\n', (size_t)(end - p));
        const unsigned char* lineEnd = nl ? nl : end;
        const unsigned char* textEnd = (lineEnd > p && lineEnd[-1] == '\r') ? lineEnd - 1 : lineEnd;
        if (onig_search(reg, p, textEnd, p, textEnd, region, ONIG_OPTION_NONE) >= 0)
            ++hits;
        p = nl ? nl + 1 : end;
    }
    return hits;
}

int main(int argc, char** argv)
{
    if (argc < 5 || (argc - 2) % 3 != 0) {
        fprintf(stderr, "usage: onig_search FILE NAME OPTION PATTERN [NAME OPTION PATTERN ...]\n");
        return 2;
    }
    size_t size = 0;
    char* data = ReadAll(argv[1], &size);
    if (!data) {
        fprintf(stderr, "onig_search: cannot read %s\n", argv[1]);
        return 1;
    }
    OnigEncoding encodings[] = {ONIG_ENCODING_SJIS};
    onig_initialize(encodings, 1);
    for (int a = 2; a + 2 < argc; a += 3) {
        const unsigned char* pattern = (const unsigned char*)argv[a + 2];
        OnigOptionType option = strcmp(argv[a + 1], "i") == 0 ? ONIG_OPTION_IGNORECASE : ONIG_OPTION_NONE;
        regex_t* reg;
        OnigErrorInfo info;
        int r = onig_new(&reg, pattern, pattern + strlen((const char*)pattern), option, ONIG_ENCODING_SJIS,
                         ONIG_SYNTAX_DEFAULT, &info);
        if (r != ONIG_NORMAL) {
            UChar message[ONIG_MAX_ERROR_MESSAGE_LEN];
            onig_error_code_to_str(message, r, &info);
            fprintf(stderr, "onig_search: %s: %s\n", argv[a], message);
            return 1;
        }
        OnigRegion* region = onig_region_new();
        double best = 1e30;
        long hits = 0;
        for (int run = 0; run < 3; ++run) {
            double start = Now();
            hits = Scan(reg, region, (const unsigned char*)data, size);
            double t = Now() - start;
            if (t < best)
                best = t;
        }
        printf("%s %.1f %ld\n", argv[a], size / 1e6 / best, hits);
        onig_region_free(region, 1);
        onig_free(reg);
    }
    onig_end();
    free(data);
    return 0;
}
