# Java: reserved words, literals and the most used classes of java.lang.
Keywords0 = abstract assert boolean break byte case catch char class const continue default
Keywords0 = do double else enum extends final finally float for goto if implements import
Keywords0 = instanceof int interface long native new package private protected public return
Keywords0 = short static strictfp super switch synchronized this throw throws transient try
Keywords0 = void volatile while
Keywords1 = true false null
Keywords2 = String Object System Integer Math Exception Thread Override main println
KeywordColor0 = #0000C0
KeywordColor1 = #C00000
KeywordColor2 = #008080
Delimiters = c-comment double-quote line-comment
DelimitColor = #006000
CodeOrder = True
CaseSensitive = True
