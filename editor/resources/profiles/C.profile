# C: reserved words, preprocessor directives and common library names.
Keywords0 = auto break case char const continue default do double else enum extern float
Keywords0 = for goto if inline int long register restrict return short signed sizeof static
Keywords0 = struct switch typedef union unsigned void volatile while
Keywords1 = #include #define #undef #ifdef #ifndef #if #elif #else #endif #pragma #error
Keywords2 = NULL EOF FILE size_t printf scanf malloc calloc realloc free memcpy memset
Keywords2 = strlen strcpy strcmp fopen fclose fread fwrite main
KeywordColor0 = #0000C0
KeywordColor1 = #800080
KeywordColor2 = #008080
Delimiters = c-comment double-quote line-comment
DelimitColor = #006000
CodeOrder = True
CaseSensitive = True
