SpodniPrumer=0,25
UhelSpicky=30.5
CisloPozice=2.5
TypNastroje=-7
PocetBritu=1e12
Radius=abc
