-- Euclid's algorithm in a while loop over pairs of numbers.
local s = 0
for i = 1, 700 do
  for j = 1, 700 do
    local a, b = i, j
    while b ~= 0 do local t = b; b = a % b; a = t end
    s = s + a
  end
end
return s
