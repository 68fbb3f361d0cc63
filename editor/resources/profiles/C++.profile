# C++: the C words plus classes, templates, namespaces and the standard library's names.
Keywords0 = auto break case char const continue default do double else enum extern float
Keywords0 = for goto if inline int long register return short signed sizeof static struct
Keywords0 = switch typedef union unsigned void volatile while bool catch class const_cast
Keywords0 = constexpr delete dynamic_cast explicit false friend mutable namespace new
Keywords0 = noexcept nullptr operator override private protected public reinterpret_cast
Keywords0 = static_cast template this throw true try typename using virtual
Keywords1 = #include #define #undef #ifdef #ifndef #if #elif #else #endif #pragma #error
Keywords2 = std:: string vector map cout cin endl size_t unique_ptr shared_ptr main
KeywordColor0 = #0000C0
KeywordColor1 = #800080
KeywordColor2 = #008080
Delimiters = c-comment double-quote line-comment
DelimitColor = #006000
CodeOrder = True
CaseSensitive = True
