# BASIC: statements and operators of QuickBasic and Visual Basic; case does not matter.
Keywords0 = And As Boolean ByRef ByVal Call Case Const Dim Do Double Each Else ElseIf End
Keywords0 = Exit False For Function GoSub GoTo If Integer Is Long Loop Mod New Next Not
Keywords0 = Nothing On Or Private Public ReDim Rem Resume Return Select Set Single Static
Keywords0 = Step String Sub Then To True Type Until Wend While With
Keywords1 = Print Input Open Close Line MsgBox InputBox
Keywords2 = Left$ Right$ Mid$ Len Chr$ Asc Val Str$ LCase UCase Trim
KeywordColor0 = #0000C0
KeywordColor1 = #800080
KeywordColor2 = #008080
Delimiters = double-quote basic-comment
DelimitColor = #006000
CodeOrder = True
CaseSensitive = False
