GEO
  JmNastroje=Fréza válc. 3mm
  MatNastroje=Slinutý karbid
  SpodniPrumer=3
  Radius=0
  UhelSpicky=0
  HorniPrumer=3
  DelkaBritu=10
  CisloPozice=0
  CisloKorekce=0
  TypNastroje=0
  PocetBritu=2
ENDGEO
