-- Double arithmetic: products, sums and quotients of reals and integers.
local x, s = 0.5, 0.0
for i = 1, 3000000 do
  x = x * 0.999 + 1.5
  s = s + x / i - 0.25 * x / (i + 2.5)
end
return string.format('%.6f', s)
