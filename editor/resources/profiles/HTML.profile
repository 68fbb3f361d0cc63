# HTML: tags are coloured as delimited runs; entities and attribute names as keywords.
Keywords0 = &nbsp; &lt; &gt; &amp; &quot; &copy;
Keywords1 = href= src= alt= class= id= style= name= type= value= width= height=
Keywords2 = <!DOCTYPE
KeywordColor0 = #C00000
KeywordColor1 = #800080
KeywordColor2 = #808080
Delimiters = html
DelimitColor = #0000C0
CodeOrder = False
CaseSensitive = False
