object F: TF
  A = (((1 2) [a, b]) $1F)
  B = 'unterminated
end
